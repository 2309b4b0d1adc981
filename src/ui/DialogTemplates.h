#pragma once

#include <cstdint>
#include <span>

namespace zlc::ui {

enum class ControlKind {
    GroupBox,
    Label,        // static text
    ReadOnlyText, // static text that shows a value
    PushButton,
    RadioButton,
    CheckBox,
    Edit,
    ComboEdit, // combo box with an edit part
    DropList,  // combo box without an edit part
    ListView,
    UpDown,
    Bar, // progress bar that can be dragged
    TabControl,
    Diagnostics, // multi-line read-only text with a vertical scroll bar
    // The captions of these three are not shown; a screen reader names the
    // control by its caption, else by the label before it.
    ListBox,   // list of texts, single selection, tab characters aligned
    SpinField, // read-only number field with its up-down control attached
    Picture,   // one of the program's pictures, chosen by its position
};

namespace ControlStyle {
inline constexpr uint32_t Group = 0x01;    // starts a group (radio buttons, tab stops)
inline constexpr uint32_t TabStop = 0x02;  // reached with the Tab key
inline constexpr uint32_t Disabled = 0x04; // created disabled
inline constexpr uint32_t Sunken = 0x08;   // sunken edge
inline constexpr uint32_t Centered = 0x10; // centred text
inline constexpr uint32_t Digits = 0x20;   // edit accepting digits only
inline constexpr uint32_t Default = 0x40;  // the push button that Enter presses
inline constexpr uint32_t Fixed = 0x80;    // fixed-pitch font
// In a dialog that can be resized: the control takes the width (height) the
// dialog grows by, or follows it to the right (down); with HalfX, half of
// the width, for two lists side by side. FitsContent opens the dialog large
// enough for the control's entries.
inline constexpr uint32_t GrowsX = 0x100;
inline constexpr uint32_t GrowsY = 0x200;
inline constexpr uint32_t FollowsX = 0x400;
inline constexpr uint32_t FollowsY = 0x800;
inline constexpr uint32_t HalfX = 0x1000;
inline constexpr uint32_t FitsContent = 0x2000;
} // namespace ControlStyle

inline constexpr int kNoId = -1; // labels and group boxes that nothing addresses

// One control: id, kind, caption (with its & mnemonic), position and size in
// dialog units, style. The order of a template's controls is the tab order.
struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* caption;
    int x, y, cx, cy;
    uint32_t style;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int cx, cy;
    std::span<const ControlTemplate> controls;
};

// A menu item; an item with children is a drop-down or submenu, an item with
// id 0 and no text a separator.
struct MenuTemplate {
    int id;
    const char* text;
    std::span<const MenuTemplate> items;
};

// Templates by number: the main window 101, the pages 201 to 206, the modal
// dialogs from 301. nullptr
// for a number that has none.
const DialogTemplate* FindDialogTemplate(int id);

// The main menu (411): its top-level drop-down menus.
std::span<const MenuTemplate> MainMenu();

// Dialog template numbers and control ids the code refers to.
namespace Ids {
inline constexpr int MainDialog = 101;
inline constexpr int TabControl = 1101;
inline constexpr int DiagnosticsBox = 1102;
inline constexpr int GeneralPage = 201;
inline constexpr int PreferencesPage = 202;
inline constexpr int ClocksPage = 203;
inline constexpr int PanelPage = 204;
inline constexpr int PanelPowerPage = 205;
inline constexpr int RegistersPage = 206;
inline constexpr int ConfigureMultipleDialog = 301;
inline constexpr int ModifyRegisterDialog = 302;
inline constexpr int AboutDialog = 303;
inline constexpr int ExportDialog = 304;
inline constexpr int ExportSaveAsButtons = 305;
inline constexpr int WinCeOptionsDialog = 306;
} // namespace Ids

// Menu command ids.
namespace Commands {
inline constexpr int Open = 40001;
inline constexpr int Save = 40002;
inline constexpr int SaveAs = 40003;
inline constexpr int ConfigureMultiple = 40004;
inline constexpr int Export = 40005;
inline constexpr int Exit = 40006;
inline constexpr int Debug = 40011;
inline constexpr int EnableTooltips = 40012;
inline constexpr int UpdateCommonControls = 40013;
inline constexpr int About = 40014;
inline constexpr int FirstTooltipDelay = 40021; // to 40026
inline constexpr int Web = 40031;
inline constexpr int PanelPreview = 40041;
inline constexpr int TimingDiagram = 40042;
inline constexpr int ImportSettings = 40007;
inline constexpr int ExportSettings = 40008;
inline constexpr int ApplyToBoard = 40051;
inline constexpr int CompareWithBoard = 40052;
inline constexpr int ReadBoardRegisters = 40053;
} // namespace Commands

} // namespace zlc::ui

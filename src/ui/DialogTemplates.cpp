#include "ui/DialogTemplates.h"

#include "base/Notice.h"

namespace zlc::ui {

namespace {

using enum ControlKind;
using namespace ControlStyle;

constexpr ControlTemplate kMainControls[] = {
    {1101, TabControl, "", 7, 5, 300, 199, TabStop},
    {kNoId, GroupBox, "Diagnostics", 7, 206, 300, 50, 0},
    {1102, Diagnostics, "", 13, 216, 288, 35, TabStop},
};

constexpr ControlTemplate kGeneralControls[] = {
    {kNoId, GroupBox, "Memory mapped locations", 6, 3, 284, 124, 0},
    {kNoId, Label, "Decode &addresses:", 14, 15, 120, 8, 0},
    {1201, RadioButton, "Korvane Q9E%sB00B/B00C", 24, 27, 200, 10, Group | TabStop},
    {kNoId, Label, "&Motorola IDP68000", 36, 37, 150, 8, 0},
    {1202, RadioButton, "Korvane Q9E%sB00C Rev. 2", 24, 48, 200, 10, 0},
    {1204, RadioButton, "Motorola IDP68030", 24, 60, 200, 10, 0},
    {1205, RadioButton, "Hitachi SH-3 LCEVB", 24, 72, 200, 10, 0},
    {1206, RadioButton, "User-Defined", 24, 84, 200, 10, 0},
    {kNoId, Label, "&Register address [hex]:", 14, 100, 110, 8, Group},
    {1207, ReadOnlyText, "", 130, 98, 60, 12, Sunken | Centered},
    {kNoId, Label, "&Display buffer address [hex]:", 14, 114, 110, 8, 0},
    {1208, Edit, "", 130, 112, 60, 12, TabStop | Centered},
    {1209, Label,
     "NOTE: The decoding of the %s physical addresses depends on your particular hardware "
     "implementation. The selection of Platform Types above reflect only one of many possible "
     "implementations for each platform.",
     6, 134, 284, 40, 0},
};

constexpr ControlTemplate kPreferencesControls[] = {
    {kNoId, GroupBox, "&Color depth", 6, 3, 130, 66, 0},
    {1301, RadioButton, "1 bpp", 16, 16, 80, 10, Group | TabStop},
    {1302, RadioButton, "2 bpp", 16, 28, 80, 10, 0},
    {1303, RadioButton, "4 bpp", 16, 40, 80, 10, 0},
    {1304, RadioButton, "8 bpp", 16, 52, 80, 10, 0},
    {kNoId, GroupBox, "&Panel PivotScan", 146, 3, 144, 66, 0},
    {1305, CheckBox, "&Enable", 156, 16, 120, 10, Group | TabStop},
    {1306, CheckBox, "&Alternative Mode", 156, 30, 120, 10, TabStop},
};

constexpr ControlTemplate kClocksControls[] = {
    {kNoId, GroupBox, "CLK&I [MHz]", 6, 3, 140, 76, 0},
    {kNoId, Label, "Timing:", 14, 18, 40, 8, 0},
    {1401, ComboEdit, "", 60, 16, 76, 90, Group | TabStop},
    {kNoId, Label, "Actual:", 14, 36, 40, 8, 0},
    {1402, ReadOnlyText, "", 60, 34, 76, 12, Sunken},
    {3007, CheckBox, "CLKI/2", 60, 54, 70, 10, TabStop},
    {kNoId, GroupBox, "PCLK", 150, 3, 140, 76, 0},
    {kNoId, Label, "&Source:", 158, 18, 40, 8, 0},
    {1403, ReadOnlyText, " CLKI", 204, 16, 76, 12, Sunken},
    {kNoId, Label, "&Divide:", 158, 36, 40, 8, 0},
    {1404, ReadOnlyText, "", 204, 34, 76, 12, Sunken},
    {kNoId, Label, "Timing:", 158, 54, 40, 8, 0},
    {1405, ReadOnlyText, "", 204, 52, 76, 12, Sunken},
    {kNoId, GroupBox, "&MCLK", 150, 84, 140, 76, 0},
    {kNoId, Label, "Source:", 158, 99, 40, 8, 0},
    {1406, ReadOnlyText, " CLKI", 204, 97, 76, 12, Sunken},
    {kNoId, Label, "Divide:", 158, 117, 40, 8, 0},
    {1407, ReadOnlyText, "", 204, 115, 76, 12, Sunken},
    {kNoId, Label, "Timing:", 158, 135, 40, 8, 0},
    {1408, ReadOnlyText, "", 204, 133, 76, 12, Sunken},
};

constexpr ControlTemplate kConfigureMultipleControls[] = {
    {kNoId, Label, "Select &files to configure:", 7, 7, 140, 8, 0},
    {2201, ListBox, "", 7, 17, 140, 100, TabStop | Fixed},
    {2203, PushButton, "&Add >", 151, 24, 56, 14, TabStop},
    {2204, PushButton, "A&dd All >>", 151, 41, 56, 14, TabStop},
    {2205, PushButton, "< &Remove", 151, 63, 56, 14, TabStop},
    {2206, PushButton, "<< R&emove All", 151, 80, 56, 14, TabStop},
    {kNoId, Label, "Selec&ted files:", 211, 7, 134, 8, 0},
    {2202, ListBox, "", 211, 17, 134, 100, TabStop | Fixed},
    {2207, RadioButton, "&Show all files", 7, 121, 70, 10, Group | TabStop},
    {2208, RadioButton, "Show c&onf.", 80, 121, 60, 10, 0},
    {2209, Label, "files only", 91, 130, 50, 8, 0},
    {2212, CheckBox, "&Preserve physical addresses", 211, 121, 134, 10, Group | TabStop},
    {2210, PushButton, "&Configure", 239, 137, 50, 14, Group | TabStop | Default},
    {2, PushButton, "C&lose", 295, 137, 50, 14, TabStop},
    {2211, Label, "", 7, 143, 225, 8, 0},
};

constexpr ControlTemplate kAboutControls[] = {
    {2002, Picture, "Picture", 7, 7, 64, 64, Sunken},
    {2001, Label, "", 80, 9, 150, 10, 0},
    {kNoId, Label,
     "This program is used to view and configure display information and to create header "
     "files of register values for compilation in other programs.",
     80, 24, 150, 34, 0},
    {kNoId, Label, notice::kCopyrightLine1, 7, 78, 223, 8, Centered},
    {kNoId, Label, notice::kCopyrightLine2, 7, 88, 223, 8, Centered},
    {1, PushButton, "OK", 95, 102, 50, 14, TabStop | Default},
};

constexpr ControlTemplate kExportControls[] = {
    {3041, ListBox, "Export targets", 7, 7, 249, 56, TabStop},
    {1, PushButton, "&Export As...", 261, 7, 50, 14, TabStop | Default},
    {2, PushButton, "&Close", 261, 24, 50, 14, TabStop},
};

// The buttons the Save As step of an export adds to the file dialog.
constexpr ControlTemplate kExportSaveAsControls[] = {
    {3051, PushButton, "Pre&view", 159, 7, 50, 14, TabStop},
    {3052, PushButton, "&Options", 221, 7, 50, 14, TabStop},
};

constexpr ControlTemplate kWinCeOptionsControls[] = {
    {kNoId, Label, "&Mode number:", 7, 10, 49, 8, 0},
    {3061, SpinField, "", 57, 7, 30, 14, TabStop | Sunken | Centered},
    {1, PushButton, "OK", 94, 7, 50, 14, TabStop | Default},
    {2, PushButton, "Cancel", 94, 25, 50, 14, TabStop},
};

constexpr DialogTemplate kDialogs[] = {
    {Ids::MainDialog, "", 314, 261, kMainControls},
    {Ids::GeneralPage, "General", 296, 180, kGeneralControls},
    {Ids::PreferencesPage, "Preferences", 296, 180, kPreferencesControls},
    {Ids::ClocksPage, "Clocks", 296, 180, kClocksControls},
    // The controls of these three pages come with their page logic.
    {Ids::PanelPage, "Panel", 296, 185, {}},
    {Ids::PanelPowerPage, "Panel Power", 296, 180, {}},
    {Ids::RegistersPage, "Registers", 296, 180, {}},
    {Ids::ConfigureMultipleDialog, "Configure Multiple", 352, 156, kConfigureMultipleControls},
    {Ids::AboutDialog, "", 237, 123, kAboutControls},
    {Ids::ExportDialog, "Export", 318, 71, kExportControls},
    {Ids::ExportSaveAsButtons, "", 278, 28, kExportSaveAsControls},
    {Ids::WinCeOptionsDialog, "WinCE Header File Export Options", 154, 47, kWinCeOptionsControls},
};

constexpr MenuTemplate kSeparator = {0, "", {}};

constexpr MenuTemplate kFileMenu[] = {
    {Commands::Open, "&Open...", {}},
    {Commands::Save, "&Save", {}},
    {Commands::SaveAs, "Save &As...", {}},
    kSeparator,
    {Commands::ConfigureMultiple, "Configure &Multiple...", {}},
    {Commands::Export, "&Export...", {}},
    kSeparator,
    {Commands::Exit, "E&xit", {}},
};

constexpr MenuTemplate kDelayMenu[] = {
    {Commands::FirstTooltipDelay + 0, "100 ms", {}},
    {Commands::FirstTooltipDelay + 1, "250 ms", {}},
    {Commands::FirstTooltipDelay + 2, "500 ms", {}},
    {Commands::FirstTooltipDelay + 3, "1 second", {}},
    {Commands::FirstTooltipDelay + 4, "2 seconds", {}},
    {Commands::FirstTooltipDelay + 5, "5 seconds", {}},
};

constexpr MenuTemplate kHelpMenu[] = {
    {Commands::EnableTooltips, "Enable &ToolTips", {}},
    {0, "ToolTip &Delay", kDelayMenu},
    kSeparator,
    {Commands::Debug, "&Debug", {}},
    {Commands::Web, "KRV on the &Web", {}},
    {Commands::UpdateCommonControls, "&Update Common Controls...", {}},
    kSeparator,
    {Commands::About, "&About xxxxCFG...", {}},
};

constexpr MenuTemplate kMainMenu[] = {
    {0, "&File", kFileMenu},
    {0, "&Help", kHelpMenu},
};

} // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& dialog : kDialogs) {
        if (dialog.id == id) {
            return &dialog;
        }
    }
    return nullptr;
}

std::span<const MenuTemplate> MainMenu() {
    return kMainMenu;
}

} // namespace zlc::ui

#include "ui/DialogTemplates.h"

#include "base/Notice.h"
#include "ui/DialogHost.h"

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

constexpr ControlTemplate kPanelControls[] = {
    {kNoId, GroupBox, "Panel t&ype", 6, 2, 68, 46, 0},
    {1501, RadioButton, "STN", 14, 13, 54, 10, Group | TabStop},
    {1502, RadioButton, "TFT", 14, 24, 54, 10, 0},
    {1503, CheckBox, "Format &2", 14, 35, 56, 10, Group | TabStop},
    {kNoId, GroupBox, "&Data width", 78, 2, 68, 46, 0},
    {1504, RadioButton, "4-bit", 86, 13, 56, 10, Group | TabStop},
    {1505, RadioButton, "8-bit", 86, 24, 56, 10, 0},
    {kNoId, GroupBox, "Panel &color", 150, 2, 68, 46, 0},
    {1506, RadioButton, "Mono", 158, 13, 56, 10, Group | TabStop},
    {1507, RadioButton, "Color", 158, 24, 56, 10, 0},
    {kNoId, GroupBox, "&Dual panel", 222, 2, 68, 46, 0},
    {1508, RadioButton, "Single", 230, 13, 56, 10, Group | TabStop},
    {1509, RadioButton, "Dual", 230, 24, 56, 10, 0},
    {kNoId, GroupBox, "Polarity", 6, 50, 122, 38, 0},
    {kNoId, Label, "FP&LINE", 14, 62, 40, 8, 0},
    {1511, RadioButton, "High", 54, 61, 34, 10, Group | TabStop},
    {1510, RadioButton, "Low", 90, 61, 34, 10, 0},
    {kNoId, Label, "FPFRAME", 14, 75, 40, 8, 0},
    {1513, RadioButton, "High", 54, 74, 34, 10, Group | TabStop},
    {1512, RadioButton, "Low", 90, 74, 34, 10, 0},
    {1531, CheckBox, "Frame Repeat", 134, 57, 68, 10, Group | TabStop},
    {1532, CheckBox, "Mask FPSHIFT", 134, 73, 68, 10, TabStop},
    {kNoId, GroupBox, "Panel dimensions", 6, 90, 96, 42, 0},
    {kNoId, Label, "&Width:", 14, 103, 34, 8, 0},
    {1514, ComboEdit, "", 50, 101, 46, 120, Group | TabStop | Digits},
    {kNoId, Label, "H&eight:", 14, 117, 34, 8, 0},
    {1515, ComboEdit, "", 50, 115, 46, 120, TabStop | Digits},
    {kNoId, GroupBox, "Non-display periods", 106, 90, 184, 42, 0},
    {kNoId, Label, "H [pi&xels]:", 114, 103, 42, 8, 0},
    {1516, Edit, "", 158, 101, 26, 12, Group | TabStop | Centered},
    {1517, UpDown, "Horizontal Non-Display Period", 184, 101, 10, 12, 0},
    {1518, Bar, "Horizontal Non-Display Period", 198, 102, 84, 10, TabStop},
    {kNoId, Label, "V [li&nes]:", 114, 117, 42, 8, 0},
    {1519, Edit, "", 158, 115, 26, 12, TabStop | Centered},
    {1520, UpDown, "Vertical Non-Display Period", 184, 115, 10, 12, 0},
    {1521, Bar, "Vertical Non-Display Period", 198, 116, 84, 10, TabStop},
    {kNoId, GroupBox, "Timings", 6, 134, 110, 48, 0},
    {kNoId, Label, "Frame rate:", 14, 148, 44, 8, 0},
    {1528, ReadOnlyText, "", 60, 146, 50, 12, Sunken},
    {kNoId, Label, "&Pixel clock:", 14, 164, 44, 8, 0},
    {1529, ReadOnlyText, "", 60, 162, 50, 12, Sunken},
    {kNoId, GroupBox, "TFT/FPLINE [pixels]", 120, 134, 170, 24, 0},
    {3004, Label, "&Start pos:", 128, 145, 40, 8, 0},
    {1522, Edit, "", 170, 143, 26, 12, Group | TabStop | Centered},
    {1523, UpDown, "FPLINE Start Position", 196, 143, 10, 12, 0},
    {1524, Bar, "FPLINE Start Position", 210, 144, 72, 10, TabStop},
    {kNoId, GroupBox, "TFT/FPFRAME [lines]", 120, 159, 170, 24, 0},
    {3005, Label, "S&tart pos:", 128, 170, 40, 8, 0},
    {1525, Edit, "", 170, 168, 26, 12, Group | TabStop | Centered},
    {1526, UpDown, "FPFRAME Start Position", 196, 168, 10, 12, 0},
    {1527, Bar, "FPFRAME Start Position", 210, 169, 72, 10, TabStop},
    {kNoId, GroupBox, "P&redefined panels", 206, 50, 84, 38, 0},
    {1530, DropList, "", 212, 64, 72, 120, Group | TabStop},
};

constexpr ControlTemplate kPanelPowerControls[] = {
    {kNoId, GroupBox, "LCD bias power control", 6, 3, 284, 86, 0},
    {1601, CheckBox, "Hardware Power Save Enable", 16, 18, 200, 10, Group | TabStop},
    {kNoId, Label, "Time delay between LCD control signals active and LCD bias power-o&n:", 16, 38,
     176, 18, 0},
    {1602, Edit, "", 196, 39, 30, 12, TabStop | Centered | Digits},
    {kNoId, Label, "milliseconds", 230, 41, 56, 8, 0},
    {kNoId, Label, "Time delay between LCD bias power-&off and LCD control signals inactive:", 16,
     62, 176, 18, 0},
    {1603, Edit, "", 196, 63, 30, 12, TabStop | Centered | Digits},
    {kNoId, Label, "milliseconds", 230, 65, 56, 8, 0},
    // The delays live only in the document: the configuration block has no
    // room for them, so a user who saves and opens the file again finds the
    // defaults. Said here, before anything is lost.
    {kNoId, Label,
     "NOTE: The two delays are not stored in the configurable file. They go only into the "
     "generic driver header (File > Export, zlc62740.h); export it after changing them.",
     6, 96, 284, 24, 0},
};

// The list's caption is not shown: it names the list for screen readers.
constexpr ControlTemplate kRegistersControls[] = {
    {1701, ListView, "Registers", 6, 4, 284, 158, Group | TabStop | Sunken},
    {1702, Label, "Press Enter or double click on a line to modify a register.", 6, 167, 284, 8, 0},
};

constexpr ControlTemplate kModifyRegisterControls[] = {
    {2101, Label, "Register name", 7, 7, 160, 8, 0},
    {kNoId, Label, "Register &value:", 7, 23, 56, 8, 0},
    {2102, Edit, "", 66, 21, 64, 12, Group | TabStop},
    {2103, RadioButton, "&Decimal", 66, 38, 64, 10, Group | TabStop},
    {2104, RadioButton, "&Hexadecimal", 66, 49, 64, 10, 0},
    {kIdOk, PushButton, "OK", 34, 64, 50, 14, Group | TabStop | Default},
    {kIdCancel, PushButton, "Cancel", 90, 64, 50, 14, TabStop},
};

constexpr ControlTemplate kConfigureMultipleControls[] = {
    {kNoId, Label, "Select &files to configure:", 7, 7, 140, 8, 0},
    {2201, ListBox, "", 7, 17, 140, 100, TabStop | Fixed | GrowsX | HalfX | GrowsY},
    {2203, PushButton, "&Add >", 151, 24, 56, 14, TabStop | FollowsX | HalfX},
    {2204, PushButton, "A&dd All >>", 151, 41, 56, 14, TabStop | FollowsX | HalfX},
    {2205, PushButton, "< &Remove", 151, 63, 56, 14, TabStop | FollowsX | HalfX},
    {2206, PushButton, "<< R&emove All", 151, 80, 56, 14, TabStop | FollowsX | HalfX},
    {kNoId, Label, "Selec&ted files:", 211, 7, 134, 8, FollowsX | HalfX},
    {2202, ListBox, "", 211, 17, 134, 100, TabStop | Fixed | FollowsX | GrowsX | HalfX | GrowsY},
    {2207, RadioButton, "&Show all files", 7, 121, 70, 10, Group | TabStop | FollowsY},
    {2208, RadioButton, "Show c&onf.", 80, 121, 60, 10, FollowsY},
    {2209, Label, "files only", 91, 130, 50, 8, FollowsY},
    {2212, CheckBox, "&Preserve physical addresses", 211, 121, 134, 10,
     Group | TabStop | FollowsX | HalfX | FollowsY},
    {2210, PushButton, "&Configure", 239, 137, 50, 14,
     Group | TabStop | Default | FollowsX | FollowsY},
    {2, PushButton, "C&lose", 295, 137, 50, 14, TabStop | FollowsX | FollowsY},
    {2211, Label, "", 7, 143, 225, 8, GrowsX | FollowsY},
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
    {3041, ListBox, "Export targets", 7, 7, 249, 56, TabStop | GrowsX | GrowsY | FitsContent},
    {1, PushButton, "&Export As...", 261, 7, 50, 14, TabStop | Default | FollowsX},
    {2, PushButton, "&Close", 261, 24, 50, 14, TabStop | FollowsX},
};

// The buttons the Save As step of an export adds to the file dialog.
constexpr ControlTemplate kExportSaveAsControls[] = {
    {3051, PushButton, "Pre&view", 159, 7, 50, 14, TabStop},
    {3052, PushButton, "&Options", 221, 7, 50, 14, TabStop},
};

constexpr ControlTemplate kWinCeOptionsControls[] = {
    {kNoId, Label, "&Mode number:", 7, 10, 54, 8, 0},
    {3061, SpinField, "", 62, 7, 34, 14, TabStop | Sunken | Centered},
    {1, PushButton, "OK", 102, 7, 50, 14, TabStop | Default | FollowsX},
    {2, PushButton, "Cancel", 102, 25, 50, 14, TabStop | FollowsX},
};

constexpr DialogTemplate kDialogs[] = {
    {Ids::MainDialog, "", 314, 261, kMainControls},
    {Ids::GeneralPage, "General", 296, 180, kGeneralControls},
    {Ids::PreferencesPage, "Preferences", 296, 180, kPreferencesControls},
    {Ids::ClocksPage, "Clocks", 296, 180, kClocksControls},
    {Ids::PanelPage, "Panel", 296, 185, kPanelControls},
    {Ids::PanelPowerPage, "Panel Power", 296, 180, kPanelPowerControls},
    {Ids::RegistersPage, "Registers", 296, 180, kRegistersControls},
    {Ids::ModifyRegisterDialog, "Modify Register", 174, 84, kModifyRegisterControls},
    {Ids::ConfigureMultipleDialog, "Configure Multiple", 352, 156, kConfigureMultipleControls},
    {Ids::AboutDialog, "", 237, 123, kAboutControls},
    {Ids::ExportDialog, "Export", 318, 71, kExportControls},
    {Ids::ExportSaveAsButtons, "", 278, 28, kExportSaveAsControls},
    {Ids::WinCeOptionsDialog, "WinCE Header File Export Options", 159, 47, kWinCeOptionsControls},
};

constexpr MenuTemplate kSeparator = {0, "", {}};

constexpr MenuTemplate kFileMenu[] = {
    {Commands::Open, "&Open...", {}},
    {Commands::Save, "&Save", {}},
    {Commands::SaveAs, "Save &As...", {}},
    kSeparator,
    {Commands::ConfigureMultiple, "Configure &Multiple...", {}},
    {Commands::Export, "&Export...", {}},
    {Commands::ImportSettings, "&Import Settings...", {}},
    {Commands::ExportSettings, "Ex&port Settings...", {}},
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

constexpr MenuTemplate kViewMenu[] = {
    {Commands::PanelPreview, "&Panel Preview", {}},
    {Commands::TimingDiagram, "&Timing Diagram", {}},
};

constexpr MenuTemplate kBoardMenu[] = {
    {Commands::ApplyToBoard, "&Apply to Board", {}},
    {Commands::CompareWithBoard, "&Compare with Board", {}},
    {Commands::ReadBoardRegisters, "&Read Registers from Board", {}},
};

constexpr MenuTemplate kMainMenu[] = {
    {0, "&File", kFileMenu},
    {0, "&View", kViewMenu},
    {0, "&Board", kBoardMenu},
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

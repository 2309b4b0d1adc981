#include "ui/ControlBindings.h"

#include "model/SettingTexts.h"
#include "model/SettingsTable.h"
#include "ui/AppIdentity.h"

namespace zlc::ui {

namespace {

using namespace SettingId;

#define ZLC_RULE "__________________________________________________"

constexpr ControlBinding kBindings[] = {
    {PhysRegAddr, 1207, 0, nullptr},
    {PhysMemAddr, 1208, 0, nullptr},
    {BitsPerPixel, 1301, 1304, nullptr},
    {PivotScanEnable, 1305, 0, nullptr},
    {PivotScanSelect, 1306, 0, nullptr},
    {ClkiTiming, 1401, 0, nullptr},
    {InputClockDivide, 3007, 0, nullptr},
    {HardwarePowerSave, 1601, 0, nullptr},
    {LcdPowerOnTime, 1602, 0, nullptr},
    {LcdPowerOffTime, 1603, 0, nullptr},
    {FrameRate, 1528, 0, nullptr},
    {PanelDataFormat, 1503, 0, nullptr},
    {FrameRepeat, 1531, 0, nullptr},
    {MaskFpshift, 1532, 0, nullptr},
    {ColorMono, 1506, 1507, nullptr},
    {DualSingle, 1508, 1509, nullptr},
    {DataWidthChoice, 1504, 1505, nullptr},
    {TftStn, 1501, 1502, nullptr},
    {FplinePolarity, 1510, 1511, nullptr},
    {FpframePolarity, 1512, 1513, nullptr},
    {HorzPanelSize, 1514, 0, nullptr},
    {VertPanelSize, 1515, 0, nullptr},
    {HorzNonDisplay, 1516, 1518, nullptr},
    {VertNonDisplay, 1519, 1521, nullptr},
    {FplineStart, 1522, 1524, nullptr},
    {FpframeStart, 1525, 1527, nullptr},

    {0, 201, 0, "Configure physical operating characteristics."},
    {0, 202, 0, "Configure initial display settings."},
    {0, 203, 0, "Configure ZLC%s input clocks."},
    {0, 204, 0, "Configure LCD panel timings."},
    {0, 205, 0, "Configure LCD panel power control."},
    {0, 206, 0,
     "Configure ZLC%s registers.\n" ZLC_RULE
     "\n**IMPORTANT NOTE: Experts only! Use extreme caution when editing these registers. Also, "
     "manually entered values may be overridden if you manipulate options on another tab page."},
    {0, 1403, 0, "PCLK is always sourced from CLKI."},
    {0, 1404, 1405,
     "This option is influenced by:\n    1. REG[1Bh] bits 1:0 (PivotScan PCLK)\nRefer to the "
     "Hardware Functional Specification for more details."},
    {0, 1529, 0,
     "This option is influenced by:\n    1. REG[1Bh] bits 1:0 (PivotScan PCLK)\nRefer to the "
     "Hardware Functional Specification for more details."},
    {0, 1406, 0, "MCLK is always sourced from CLKI."},
    {0, 1407, 1408,
     "This option is influenced by:\n    1. REG[02h] bit 5 (High Performance)\n    2. REG[1Bh] "
     "bits 1:0 (PivotScan PCLK)\nRefer to the Hardware Functional Specification for more "
     "details."},
    {0, 1201, 0, "Selects physical addresses for Korvane evaluation platform."},
    {0, 1202, 0, "Selects physical addresses for Korvane evaluation platform"},
    {0, 1204, 0, "Selects physical addresses for Motorola IDP 68030 platform."},
    {0, 1205, 0, "Selects physical addresses for Hitachi SH-3 LCEVB platform."},
    {0, 1206, 0, "Allows manual entry of physical addresses."},
    {0, 1402, 0,
     "This field indicates the effective frequency of CLKI. If Input Clock Divide (REG[02h] bit "
     "4) is enabled, CLKI is divided by half."},
    {0, 1530, 0, ""}, // the predefined-panel text chosen at start-up
    {0, 1102, 0, ""}, // the text the Diagnostics box shows
};

#undef ZLC_RULE

static_assert(std::size(kBindings) == 45);

} // namespace

std::span<const ControlBinding> ControlBindings() {
    return kBindings;
}

int SettingOfControl(int control) {
    for (const ControlBinding& binding : kBindings) {
        if (binding.settingId != 0 && binding.Covers(control)) {
            return binding.settingId;
        }
    }
    return 0;
}

std::vector<int> SettingsOfControl(int control) {
    std::vector<int> ids;
    for (const SettingEntry& row : SettingsTable()) {
        for (const ControlBinding& binding : kBindings) {
            if (binding.settingId == row.id && binding.Covers(control)) {
                ids.push_back(row.id);
                break;
            }
        }
    }
    return ids;
}

std::string ControlTooltip(int control, int comboParent) {
    std::string text = SettingHelpText(SettingsOfControl(control));
    if (text.empty() && comboParent != 0) {
        text = SettingHelpText(SettingsOfControl(comboParent));
    }
    if (!text.empty()) {
        return text;
    }
    for (const ControlBinding& binding : kBindings) {
        if (binding.Covers(control)) {
            return binding.tip != nullptr ? WithChipNumber(binding.tip) : std::string();
        }
    }
    return {};
}

} // namespace zlc::ui

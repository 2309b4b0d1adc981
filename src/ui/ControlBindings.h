#pragma once

#include <span>
#include <string>
#include <vector>

namespace zlc::ui {

// Ties dialog controls to settings (for tooltips and input errors), or gives
// a control a fixed tooltip text (settingId 0).
struct ControlBinding {
    int settingId;
    int firstControl;
    int lastControl; // 0: the first control alone
    const char* tip; // fixed text; "%s" stands for the chip number

    bool Covers(int control) const {
        return lastControl == 0 ? control == firstControl
                                : firstControl <= control && control <= lastControl;
    }
};

std::span<const ControlBinding> ControlBindings();

// The setting of the first binding that covers the control; 0 when none does.
int SettingOfControl(int control);

// The settings bound to a control, in table order.
std::vector<int> SettingsOfControl(int control);

// The tooltip text of a control: the help texts of its settings, or else its
// fixed text with the chip number filled in. `comboParent` is the combo box
// whose edit part the control is (0 when it is not one). The texts that change
// at run time (the Diagnostics box, the predefined panels, the register list)
// are the caller's.
std::string ControlTooltip(int control, int comboParent = 0);

} // namespace zlc::ui

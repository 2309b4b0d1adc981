#include "ui/PanelPowerPage.h"

#include "base/Format.h"
#include "model/SettingsTable.h"
#include "ui/SettingControls.h"

namespace zlc::ui {

namespace {

using namespace SettingId;

constexpr int kPowerSave = 1601;
constexpr int kPowerOnField = 1602;
constexpr int kPowerOffField = 1603;
constexpr int kDelayDigits = 5;
// The delays are kept in 16 bits.
constexpr uint32_t kLongestDelayMs = 65535;

} // namespace

void PanelPowerPage::Create() {
    host_.SetChecked(kPowerSave, GetSetting(doc(), HardwarePowerSave) == 1);
    host_.SetTextLimit(kPowerOnField, kDelayDigits);
    host_.SetTextLimit(kPowerOffField, kDelayDigits);
    host_.SetText(kPowerOffField, Format("%u", GetSetting(doc(), LcdPowerOffTime)));
    host_.SetText(kPowerOnField, Format("%u", GetSetting(doc(), LcdPowerOnTime)));
}

void PanelPowerPage::OnClicked(int id) {
    if (id != kPowerSave) {
        return;
    }
    if (SetSetting(doc(), HardwarePowerSave, host_.IsChecked(id) ? 1 : 0)) {
        ReportChange(id);
    }
}

void PanelPowerPage::OnFocusLost(int id) {
    if (id == kPowerOnField) {
        CommitDelay(id, LcdPowerOnTime);
    } else if (id == kPowerOffField) {
        CommitDelay(id, LcdPowerOffTime);
    }
}

void PanelPowerPage::CommitDelay(int field, int setting) {
    const auto typed = ParseDecimalField(host_, field);
    if (!typed || typed->whole > kLongestDelayMs) {
        ReportInvalidInput(host_, state_, field, false);
        return;
    }
    const bool changed = SetSetting(doc(), setting, typed->whole);
    ClearInputError(state_, field);
    if (changed) {
        ReportChange(field);
    }
}

} // namespace zlc::ui

#include "ui/PreferencesPage.h"

#include "model/SettingsTable.h"

namespace zlc::ui {

namespace {

constexpr int kFirstDepthButton = 1301; // 1301 + n stands for 2^n bits per pixel
constexpr int kLastDepthButton = 1304;
constexpr int kPivotScanEnable = 1305;
constexpr int kAlternativeMode = 1306;

} // namespace

void PreferencesPage::Create() {
    const uint32_t depth = GetSetting(doc(), SettingId::BitsPerPixel);
    for (int button = kFirstDepthButton; button <= kLastDepthButton; ++button) {
        host_.SetChecked(button, (1u << (button - kFirstDepthButton)) == depth);
    }
    const bool enabled = GetSetting(doc(), SettingId::PivotScanEnable) != 0;
    host_.SetChecked(kPivotScanEnable, enabled);
    host_.SetChecked(kAlternativeMode, GetSetting(doc(), SettingId::PivotScanSelect) != 0);
    host_.SetEnabled(kAlternativeMode, enabled);
}

void PreferencesPage::OnClicked(int id) {
    bool changed = false;
    if (id >= kFirstDepthButton && id <= kLastDepthButton) {
        changed = SetSetting(doc(), SettingId::BitsPerPixel, 1u << (id - kFirstDepthButton));
    } else if (id == kPivotScanEnable) {
        const bool checked = host_.IsChecked(id);
        changed = SetSetting(doc(), SettingId::PivotScanEnable, checked ? 1 : 0);
        host_.SetEnabled(kAlternativeMode, checked);
    } else if (id == kAlternativeMode) {
        changed = SetSetting(doc(), SettingId::PivotScanSelect, host_.IsChecked(id) ? 1 : 0);
    } else {
        return;
    }
    if (changed) {
        ReportChange(id);
    }
}

} // namespace zlc::ui

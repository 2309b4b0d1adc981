#include "ui/ClocksPage.h"

#include "base/Format.h"
#include "model/DocumentUpdates.h"
#include "model/SettingsTable.h"
#include "ui/SettingControls.h"

namespace zlc::ui {

namespace {

constexpr int kClkiCombo = 1401;
constexpr int kClkiActual = 1402;
constexpr int kPclkDivide = 1404;
constexpr int kPclkTiming = 1405;
constexpr int kMclkDivide = 1407;
constexpr int kMclkTiming = 1408;
constexpr int kInputDivide = 3007;

// CLKI bounds in kHz: more than 0.390 MHz and at most 120 MHz.
constexpr uint32_t kLowestClkiKHz = 391;
constexpr uint32_t kHighestClkiKHz = 120000;

std::string Megahertz(uint32_t hz) {
    return Format(" %u.%03u MHz", hz / 1000000, (hz / 1000) % 1000);
}

// A clock that is 0 (a file may say CLKI is 0) shows no ratio rather than
// dividing by it.
std::string Ratio(uint32_t clki, uint32_t clock) {
    return Format(" %u:1", clock != 0 ? clki / clock : 0);
}

} // namespace

void ClocksPage::Create() {
    host_.SetChecked(kInputDivide, GetSetting(doc(), SettingId::InputClockDivide) == 1);
    host_.ClearItems(kClkiCombo);
    for (uint32_t value = 0;; ++value) {
        const auto name = GetValueName(doc(), SettingId::ClkiTiming, value);
        if (!name) {
            break;
        }
        host_.AddItem(kClkiCombo, *name);
    }
    const std::string current = ControlValueText(doc(), kClkiCombo);
    int index = -1;
    for (int i = 0; i < host_.ItemCount(kClkiCombo); ++i) {
        if (host_.ItemText(kClkiCombo, i) == current) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        host_.AddItem(kClkiCombo, current);
        index = host_.ItemCount(kClkiCombo) - 1;
    }
    host_.SetSelection(kClkiCombo, index);
    UpdateDisplays();
}

void ClocksPage::UpdateDisplays() {
    const uint32_t divide = GetSetting(doc(), SettingId::InputClockDivide) + 1;
    const uint32_t clki = GetSetting(doc(), SettingId::ClkiTiming);
    const uint32_t pclk = GetSetting(doc(), SettingId::PixelClock);
    const uint32_t mclk = GetSetting(doc(), SettingId::MemoryClock);
    host_.SetText(kPclkDivide, Ratio(clki, pclk));
    // The memory clock's own ratio: it differs from the pixel clock's whenever
    // High Performance is off or PivotScan divides the clocks differently.
    host_.SetText(kMclkDivide, Ratio(clki, mclk));
    host_.SetText(kClkiActual, Megahertz(clki / divide));
    host_.SetText(kPclkTiming, Megahertz(pclk / divide));
    host_.SetText(kMclkTiming, Megahertz(mclk / divide));
}

void ClocksPage::CommitClki() {
    const auto typed = ParseDecimalField(host_, kClkiCombo);
    // Leaving the field as it was shown is no entry: a file's own clock
    // stays, even one the field would not take.
    if (typed && typed->thousandths == GetSetting(doc(), SettingId::ClkiTiming) / 1000) {
        ClearInputError(state_, kClkiCombo);
        return;
    }
    if (!typed || typed->thousandths < kLowestClkiKHz || typed->thousandths > kHighestClkiKHz) {
        ReportInvalidInput(host_, state_, kClkiCombo, false);
        return;
    }
    const auto kHz = static_cast<uint32_t>(typed->thousandths);
    const bool changed = SetSetting(doc(), SettingId::ClkiTiming, kHz * 1000);
    host_.SetText(kClkiCombo, Format("%u.%03u", kHz / 1000, kHz % 1000));
    ClearInputError(state_, kClkiCombo);
    if (changed) {
        UpdateFrameRate(doc());
        UpdateDisplays();
        ReportChange(kClkiCombo);
    }
}

void ClocksPage::OnFocusLost(int id) {
    if (id == kClkiCombo) {
        CommitClki();
    }
}

void ClocksPage::OnSelectionChanged(int id) {
    if (id == kClkiCombo) {
        CommitClki();
    }
}

void ClocksPage::OnClicked(int id) {
    if (id != kInputDivide) {
        return;
    }
    if (SetSetting(doc(), SettingId::InputClockDivide, host_.IsChecked(id) ? 1 : 0)) {
        UpdateFrameRate(doc());
        UpdateDisplays();
        ReportChange(id);
    }
}

} // namespace zlc::ui

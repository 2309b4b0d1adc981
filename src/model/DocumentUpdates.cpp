#include "model/DocumentUpdates.h"

#include "model/SettingsTable.h"

namespace zlc {

using namespace SettingId;

uint32_t PanelFrameRate(const ConfigDocument& doc) {
    const uint32_t clock = GetSetting(doc, PixelClock) / (GetSetting(doc, InputClockDivide) + 1);
    // Both sizes are at least 1, so the frame never has zero pixels.
    const uint32_t lines = GetSetting(doc, VertNonDisplay) + GetSetting(doc, VertPanelSize);
    const uint32_t columns = GetSetting(doc, HorzNonDisplay) + GetSetting(doc, HorzPanelSize);
    return clock / (lines * columns);
}

void UpdateFrameRate(ConfigDocument& doc) {
    SetSetting(doc, FrameRate, PanelFrameRate(doc));
}

} // namespace zlc

#include "model/DocumentUpdates.h"

#include "model/SettingsTable.h"

#include <algorithm>

namespace zlc {

using namespace SettingId;

void UpdateLineByteCount(ConfigDocument& doc) {
    const uint32_t width = GetSetting(doc, PivotScanEnable) != 0 ? GetSetting(doc, VertPanelSize)
                                                                 : GetSetting(doc, HorzPanelSize);
    const uint32_t bytes = GetSetting(doc, BitsPerPixel) * width / 8;
    SetSetting(doc, LineByteCount, std::min<uint32_t>(bytes, 255));
}

void UpdateFrameRate(ConfigDocument& doc) {
    const uint32_t clock = GetSetting(doc, PixelClock) / (GetSetting(doc, InputClockDivide) + 1);
    // Both sizes are at least 1, so the frame never has zero pixels.
    const uint32_t lines = GetSetting(doc, VertNonDisplay) + GetSetting(doc, VertPanelSize);
    const uint32_t columns = GetSetting(doc, HorzNonDisplay) + GetSetting(doc, HorzPanelSize);
    SetSetting(doc, FrameRate, clock / (lines * columns));
}

} // namespace zlc

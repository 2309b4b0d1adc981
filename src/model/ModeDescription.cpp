#include "model/ModeDescription.h"

#include "base/Format.h"
#include "model/SettingsTable.h"

namespace zlc {

namespace {

std::string CurrentValueName(const ConfigDocument& doc, int id) {
    return GetValueName(doc, id, GetSetting(doc, id)).value_or("");
}

} // namespace

std::string ModeDescription(const ConfigDocument& doc) {
    using namespace SettingId;
    std::string suffix;
    if (GetSetting(doc, TftStn) == 0 && GetSetting(doc, ColorMono) == 1 &&
        GetSetting(doc, DataWidthChoice) == 1) {
        suffix = Format(", %s", CurrentValueName(doc, PanelDataFormat).c_str());
    }
    const uint32_t pixelClockKHz = GetSetting(doc, PixelClock) / 1000;
    return Format("%ux%ux%ubpp %uHz %s %s %s%s (PCLK=%u.%03uMHz)", GetSetting(doc, HorzPanelSize),
                  GetSetting(doc, VertPanelSize), GetSetting(doc, BitsPerPixel),
                  GetSetting(doc, FrameRate), CurrentValueName(doc, ColorMono).c_str(),
                  CurrentValueName(doc, DataWidthChoice).c_str(),
                  CurrentValueName(doc, TftStn).c_str(), suffix.c_str(), pixelClockKHz / 1000,
                  pixelClockKHz % 1000);
}

} // namespace zlc

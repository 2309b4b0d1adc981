#include "timing/PanelTiming.h"

#include "model/SettingsTable.h"

namespace zlc::timing {

using namespace SettingId;

double PanelTiming::ClocksUs(double clocks) const {
    return pixelClockHz == 0 ? 0.0 : clocks * 1e6 / pixelClockHz;
}

double PanelTiming::FrameRateHz() const {
    const double frameUs = LinesUs(FrameLines());
    return frameUs <= 0.0 ? 0.0 : 1e6 / frameUs;
}

PanelTiming TimingOf(const ConfigDocument& doc) {
    PanelTiming t;
    const auto get = [&doc](int id) { return GetSetting(doc, id); };
    t.tft = get(TftStn) != 0;
    t.dual = !t.tft && get(DualSingle) != 0;
    t.width = static_cast<int>(get(HorzPanelSize));
    t.height = static_cast<int>(get(VertPanelSize));
    t.horzNonDisplay = static_cast<int>(get(HorzNonDisplay));
    t.vertNonDisplay = static_cast<int>(get(VertNonDisplay));
    t.fplineStart = static_cast<int>(get(FplineStart));
    t.fpframeStart = static_cast<int>(get(FpframeStart));
    t.fplineActiveHigh = get(FplinePolarity) != 0;
    t.fpframeActiveHigh = get(FpframePolarity) != 0;
    t.pixelClockHz = get(PixelClock) / (get(InputClockDivide) + 1);
    return t;
}

} // namespace zlc::timing

#include "timing/TimingDrawing.h"

#include "base/Format.h"

#include <algorithm>
#include <cmath>

namespace zlc::timing {

namespace {

constexpr int kWidth = 960;
constexpr int kBarX = 24;
constexpr int kBarLength = kWidth - 2 * kBarX;
constexpr int kBarHeight = 28;
constexpr int kTextSize = 14;
constexpr int kRow = 20;
constexpr int kSignalHeight = 16;
constexpr int kMinPulse = 3;

constexpr Color kText{0, 0, 0};
constexpr Color kActive{60, 160, 80};
constexpr Color kNonDisplay{176, 176, 176};
constexpr Color kSignal{0, 0, 175};

// One period drawn as a bar: `active` and `nonDisplay` units of a `total`
// (pixels or lines), with a pulse `start` units into the non-display part,
// `pulse` units long.
struct Period {
    const char* name;   // "line" or "frame"
    const char* signal; // "FPLINE" or "FPFRAME"
    int active;
    int nonDisplay;
    int start;
    int pulse;
    bool activeHigh;
};

int Scaled(double units, double total) {
    return static_cast<int>(std::lround(units * kBarLength / total));
}

// The bars and the pulse of one period from `y` on; returns the y below it.
int DrawPeriod(Drawing& d, const Period& p, int y) {
    const double total = p.active + p.nonDisplay;
    const int activeWidth = Scaled(p.active, total);
    const std::string name = p.name;
    d.Rect(kBarX, y, activeWidth, kBarHeight, kActive, name + "-active");
    d.Rect(kBarX + activeWidth, y, kBarLength - activeWidth, kBarHeight, kNonDisplay,
           name + "-nondisplay");
    y += kBarHeight + 8;
    const int pulseStart = std::min(kBarX + Scaled(p.active + p.start, total), kWidth - kBarX - 1);
    const int pulseEnd = std::min(
        std::max(pulseStart + kMinPulse, kBarX + Scaled(p.active + p.start + p.pulse, total)),
        kWidth - kBarX);
    const int idle = p.activeHigh ? y + kSignalHeight : y;
    const int busy = p.activeHigh ? y : y + kSignalHeight;
    d.Polyline({{kBarX, idle},
                {pulseStart, idle},
                {pulseStart, busy},
                {pulseEnd, busy},
                {pulseEnd, idle},
                {kWidth - kBarX, idle}},
               kSignal, std::string(p.signal));
    return y + kSignalHeight + 10;
}

std::string Polarity(bool activeHigh) {
    return activeHigh ? "active high" : "active low";
}

void DrawLine(Drawing& d, const PanelTiming& t, int& y) {
    const std::string times = t.dual ? "2 x " : "";
    d.Text(kBarX, y, kTextSize,
           Format("One line%s: %d pixel clocks = %s", t.dual ? " period (a line of each half)" : "",
                  t.LineClocks(), Duration(t.ClocksUs(t.LineClocks())).c_str()),
           kText, "line-total");
    y += kRow + 4;
    y = DrawPeriod(d,
                   {"line", "FPLINE", t.width, t.horzNonDisplay, t.tft ? t.fplineStart : 0, 8,
                    !t.tft || t.fplineActiveHigh},
                   y);
    const int cpp = t.ClocksPerPixel();
    d.Text(kBarX, y, kTextSize,
           Format("Active period: %s%d px = %s", times.c_str(), t.width,
                  Duration(t.ClocksUs(t.width * cpp)).c_str()),
           kText, "line-active-label");
    y += kRow;
    d.Text(kBarX, y, kTextSize,
           Format("Non-display period: %s%d px = %s", times.c_str(), t.horzNonDisplay,
                  Duration(t.ClocksUs(t.horzNonDisplay * cpp)).c_str()),
           kText, "line-nondisplay-label");
    y += kRow;
    const std::string pulse =
        t.tft ? Format("FPLINE starts %d px into it = %s, %s", t.fplineStart,
                       Duration(t.ClocksUs(t.fplineStart * cpp)).c_str(),
                       Polarity(t.fplineActiveHigh).c_str())
              : std::string("FPLINE at its start (start position and polarity: TFT only)");
    d.Text(kBarX, y, kTextSize, pulse, kText, "FPLINE-label");
    y += kRow + 16;
}

void DrawFrame(Drawing& d, const PanelTiming& t, int& y) {
    d.Text(kBarX, y, kTextSize,
           Format("One frame: %d line%s = %s", t.FrameLines(), t.dual ? " periods" : "s",
                  Duration(t.LinesUs(t.FrameLines())).c_str()),
           kText, "frame-total");
    y += kRow + 4;
    y = DrawPeriod(d,
                   {"frame", "FPFRAME", t.ActiveLines(), t.vertNonDisplay,
                    t.tft ? t.fpframeStart : 0, 1, !t.tft || t.fpframeActiveHigh},
                   y);
    const std::string active =
        t.dual ? Format("Active period: %d lines of each half at once = %s", t.ActiveLines(),
                        Duration(t.LinesUs(t.ActiveLines())).c_str())
               : Format("Active period: %d lines = %s", t.ActiveLines(),
                        Duration(t.LinesUs(t.ActiveLines())).c_str());
    d.Text(kBarX, y, kTextSize, active, kText, "frame-active-label");
    y += kRow;
    d.Text(kBarX, y, kTextSize,
           Format("Non-display period: %d lines = %s", t.vertNonDisplay,
                  Duration(t.LinesUs(t.vertNonDisplay)).c_str()),
           kText, "frame-nondisplay-label");
    y += kRow;
    const std::string pulse =
        t.tft ? Format("FPFRAME starts %d lines into it = %s, %s", t.fpframeStart,
                       Duration(t.LinesUs(t.fpframeStart)).c_str(),
                       Polarity(t.fpframeActiveHigh).c_str())
              : std::string("FPFRAME at its start (start position and polarity: TFT only)");
    d.Text(kBarX, y, kTextSize, pulse, kText, "FPFRAME-label");
    y += kRow + 16;
}

std::string PanelKind(const PanelTiming& t) {
    return t.tft ? "TFT" : t.dual ? "dual STN" : "single STN";
}

std::string Megahertz(uint32_t hz) {
    return Format("%u.%03u MHz", hz / 1000000, hz / 1000 % 1000);
}

} // namespace

std::string Duration(double micros) {
    return micros < 1000.0 ? Format("%.2f us", micros) : Format("%.2f ms", micros / 1000.0);
}

std::string DescribeTiming(const PanelTiming& t) {
    return Format("%s, %d x %d, line %s, frame %s, %.2f Hz", PanelKind(t).c_str(), t.width,
                  t.height, Duration(t.ClocksUs(t.LineClocks())).c_str(),
                  Duration(t.LinesUs(t.FrameLines())).c_str(), t.FrameRateHz());
}

Drawing DrawTiming(const PanelTiming& t) {
    Drawing d;
    d.width = kWidth;
    int y = 16;
    d.Text(kBarX, y, kTextSize,
           Format("%s panel, %d x %d", PanelKind(t).c_str(), t.width, t.height), kText, "title");
    y += kRow + 12;
    DrawLine(d, t, y);
    DrawFrame(d, t, y);
    d.Text(kBarX, y, kTextSize,
           Format("Pixel clock %s, line %s, frame %s, frame rate %.2f Hz",
                  Megahertz(t.pixelClockHz).c_str(), Duration(t.ClocksUs(t.LineClocks())).c_str(),
                  Duration(t.LinesUs(t.FrameLines())).c_str(), t.FrameRateHz()),
           kText, "summary");
    d.height = y + kRow + 8;
    return d;
}

} // namespace zlc::timing

#pragma once

#include "timing/Drawing.h"
#include "timing/PanelTiming.h"

#include <string>

namespace zlc::timing {

// One line and one frame drawn to scale: the active and non-display periods
// as bars, the FPLINE and FPFRAME pulses under them, each period labelled with
// its length in pixels or lines and in time, then the clock, line time, frame
// time and frame rate.
Drawing DrawTiming(const PanelTiming& timing);

// "53.33 us", or "17.40 ms" from a millisecond on.
std::string Duration(double micros);

// The one-line summary: "TFT, 320 x 240, line 69.33 us, frame 17.40 ms, 57.47 Hz".
std::string DescribeTiming(const PanelTiming& timing);

} // namespace zlc::timing

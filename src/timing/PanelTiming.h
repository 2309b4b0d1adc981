#pragma once

// The timing a configuration makes the chip drive: one line and one frame,
// in pixel clocks and lines, and in time at the pixel clock.

#include "model/ConfigDocument.h"

#include <cstdint>

namespace zlc::timing {

struct PanelTiming {
    bool tft = true;
    bool dual = false;      // a dual passive panel: both halves are driven at once
    int width = 0;          // active pixels of a line
    int height = 0;         // lines of the whole panel
    int horzNonDisplay = 0; // pixels
    int vertNonDisplay = 0; // lines
    // Where the pulses start, counted from the start of the non-display
    // period; the registers place them on an active panel only.
    int fplineStart = 0;  // pixels
    int fpframeStart = 0; // lines
    bool fplineActiveHigh = false;
    bool fpframeActiveHigh = false;
    uint32_t pixelClockHz = 0; // what the panel timing counts: PCLK after the input clock divide

    // A dual panel gets a line of each half in one line period, so a period
    // holds twice the pixels of a line; the frame-rate tuning counts it so.
    int ClocksPerPixel() const { return dual ? 2 : 1; }
    int LineClocks() const { return (width + horzNonDisplay) * ClocksPerPixel(); }
    // Line periods of the active part of a frame: half the panel when dual.
    int ActiveLines() const { return dual ? height / 2 : height; }
    int FrameLines() const { return ActiveLines() + vertNonDisplay; }

    // Time of `clocks` pixel clocks and of `lines` line periods.
    double ClocksUs(double clocks) const;
    double LinesUs(double lines) const { return ClocksUs(lines * LineClocks()); }
    double FrameRateHz() const;
};

PanelTiming TimingOf(const ConfigDocument& doc);

} // namespace zlc::timing

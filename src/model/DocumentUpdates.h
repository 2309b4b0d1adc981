#pragma once

#include "model/ConfigDocument.h"

namespace zlc {

// The rate the panel timing gives at the pixel clock, in Hz.
uint32_t PanelFrameRate(const ConfigDocument& doc);

// Sets "Frame Rate" to the rate the panel timing gives at the pixel clock.
void UpdateFrameRate(ConfigDocument& doc);

} // namespace zlc

#pragma once

#include "model/ConfigDocument.h"

namespace zlc {

// Sets "Line Byte Count" to the bytes of one displayed line, (depth x width) / 8
// limited to 255, where the width is the panel height in PivotScan mode.
void UpdateLineByteCount(ConfigDocument& doc);

// Sets "Frame Rate" to the rate the panel timing gives at the pixel clock.
void UpdateFrameRate(ConfigDocument& doc);

} // namespace zlc

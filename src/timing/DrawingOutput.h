#pragma once

#include "hal/sim/PanelRenderer.h"
#include "timing/Drawing.h"

#include <string>

namespace zlc::timing {

// The drawing as an SVG document; each shape carries its role as its class.
std::string ToSvg(const Drawing& drawing);

// The drawing in pixels, its texts in the built-in font scaled to their
// height.
sim::PanelImage Rasterize(const Drawing& drawing);

// Writes the drawing as SVG when `path` ends in ".svg" and as PNG when it
// ends in ".png" (in any letter case), through the one file writer: a failed
// write leaves a file already there as it was.
bool WriteDrawing(const Drawing& drawing, const std::string& path, std::string& message);

// Whether `path` names a kind of picture WriteDrawing writes.
bool IsDrawingFileName(const std::string& path);

} // namespace zlc::timing

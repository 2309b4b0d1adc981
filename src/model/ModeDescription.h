#pragma once

#include "model/ConfigDocument.h"

#include <string>

namespace zlc {

// One-line summary of the configured display mode, as the exports name the
// panel: "320x240x8bpp 0Hz Color 12-Bit TFT/D-TFD (PCLK=6.000MHz)".
std::string ModeDescription(const ConfigDocument& doc);

} // namespace zlc

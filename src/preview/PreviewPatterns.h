#pragma once

#include <optional>
#include <string_view>

namespace zlc::preview {

enum class Pattern {
    Squares, // the virtual-screen test program's squares and outline
    Bars,    // one vertical bar per look-up table entry, up to sixteen
};

// "squares" or "bars"; empty for any other name.
std::optional<Pattern> PatternFromName(std::string_view name);

// Draws the pattern through the HAL into a screen of width x height pixels at
// the chip's current depth and stride.
void DrawPattern(Pattern pattern, int width, int height, int depth);

} // namespace zlc::preview

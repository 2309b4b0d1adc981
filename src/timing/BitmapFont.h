#pragma once

#include <cstdint>

namespace zlc::timing {

// A small fixed-width font for pictures written without a toolkit: each
// character is kGlyphWidth x kGlyphHeight pixels in a cell kGlyphAdvance wide.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;

// The rows of a character, top first, the leftmost pixel in bit 4.
const uint8_t* Glyph(char c);

} // namespace zlc::timing

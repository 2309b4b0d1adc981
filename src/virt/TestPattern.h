#pragma once

namespace zlc::virt {

// The colour of the square after one of colour `color` at `depth` bits per
// pixel: 1 bpp alternates 0 and 255, 2 and 4 bpp step through their indices
// (as bytes of replicated pixels), 8 bpp counts up.
unsigned NextPatternColor(unsigned color, int depth);

// Tiles the virtual screen with 16 x 16 squares row by row, each row starting
// one colour on from the one before (at 8 bpp the count runs on across rows,
// one extra step at each row end), then outlines the whole screen in the
// highest pixel value. Squares at the right edge are cut to the width.
void DrawTestPattern(int width, int height, int depth);

} // namespace zlc::virt

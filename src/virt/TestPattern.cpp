#include "virt/TestPattern.h"

#include "hal/Hal.h"

#include <algorithm>

namespace zlc::virt {

namespace {

constexpr int kSquare = 16;

} // namespace

unsigned NextPatternColor(unsigned color, int depth) {
    switch (depth) {
    case 1:
        return 255 - color;
    case 2:
        return ((color + 1) & 3) * 0x55;
    case 4:
        return ((color + 1) & 15) * 0x11;
    default:
        return (color + 1) & 0xFF;
    }
}

void DrawTestPattern(int width, int height, int depth) {
    unsigned color = 0;
    unsigned rowFirst = 0;
    for (int y = 0; y < height; y += kSquare) {
        if (depth != 8) {
            color = rowFirst;
            rowFirst = NextPatternColor(rowFirst, depth);
        }
        for (int x = 0; x < width; x += kSquare) {
            halDrawRect(x, y, std::min(x + kSquare, width), y + kSquare, color, true);
            color = NextPatternColor(color, depth);
        }
        if (depth == 8) {
            color = NextPatternColor(color, depth);
        }
    }
    halDrawRect(0, 0, width, height, ~0u, false);
}

} // namespace zlc::virt

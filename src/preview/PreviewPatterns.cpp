#include "preview/PreviewPatterns.h"

#include "hal/Hal.h"
#include "virt/TestPattern.h"

#include <algorithm>

namespace zlc::preview {

namespace {

// At 8 bpp the first sixteen entries are the distinct colours of the table;
// the rows after them are ramps.
constexpr int kMaxBars = 16;

void DrawBars(int width, int height, int depth) {
    const int bars = std::min(1 << depth, kMaxBars);
    for (int bar = 0; bar < bars; ++bar) {
        const int left = width * bar / bars;
        const int right = width * (bar + 1) / bars;
        halDrawRect(left, 0, right, height, static_cast<unsigned>(bar), true);
    }
}

} // namespace

std::optional<Pattern> PatternFromName(std::string_view name) {
    if (name == "squares") {
        return Pattern::Squares;
    }
    if (name == "bars") {
        return Pattern::Bars;
    }
    return std::nullopt;
}

void DrawPattern(Pattern pattern, int width, int height, int depth) {
    if (pattern == Pattern::Bars) {
        DrawBars(width, height, depth);
    } else {
        virt::DrawTestPattern(width, height, depth);
    }
}

} // namespace zlc::preview

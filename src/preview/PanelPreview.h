#pragma once

// What a configuration shows on its panel, found the way the virtual-screen
// test program finds it: a fresh simulated board is programmed from the block
// through the HAL, the orientation applied (which tunes the frame rate when
// the block asks for one), a test pattern drawn, and the panel rendered.

#include "hal/sim/PanelRenderer.h"
#include "model/ConfigBlock.h"
#include "preview/ChipProgramming.h"
#include "preview/PreviewPatterns.h"

#include <string>

namespace zlc::preview {

struct PreviewOptions {
    int depth = 0; // bits per pixel (1, 2, 4 or 8); 0: the block's own
    Pattern pattern = Pattern::Squares;
};

struct PanelPreview : ChipReport {
    bool ok = false;
    std::string message; // why the HAL refused the configuration
    sim::PanelImage image;
};

// Whether `depth` is one the chip has: 1, 2, 4 or 8 bits per pixel.
bool IsChipDepth(int depth);

// Runs the HAL over a board of its own; the HAL is left without a board
// afterwards, so no earlier program's board is in use while this runs.
PanelPreview MakePanelPreview(const ConfigBlock& block, const PreviewOptions& options = {});

} // namespace zlc::preview

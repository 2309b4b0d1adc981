#pragma once

// Programming a chip the HAL holds from a configuration block, the way the
// virtual-screen test program starts: the registers, the orientation (which
// tunes the frame rate when the block asks for one) and a test pattern; and
// what the chip holds afterwards. The panel preview does it on a board of its
// own in memory, `zlc62740 apply` on the board a user works with.

#include "hal/sim/PanelRenderer.h"
#include "model/ConfigBlock.h"
#include "preview/PreviewPatterns.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zlc::preview {

// A register the HAL left different from the block it programmed from.
struct RegisterChange {
    int index;
    uint8_t fromBlock;
    uint8_t programmed;
};

// What a programmed chip runs.
struct ChipReport {
    sim::PanelGeometry geometry;
    unsigned frameRate = 0;          // what the chip runs at as programmed
    unsigned requestedFrameRate = 0; // the block's; 0 when it asks for none
    std::vector<RegisterChange> changes;
};

// Whether the HAL programs register `index` from the block. The revision code
// is the chip's own, the scratch pad and the reserved registers keep what
// they hold, and the look-up table ports hold whatever the table load left.
bool IsProgrammedFromBlock(int index);

// Programs the chip the HAL was initialised with on `block` and draws the
// pattern. Returns the HAL's refusal of the configuration, or an empty text.
std::string ProgramChip(const ConfigBlock& block, Pattern pattern);

// What the chip the HAL holds runs, against the block it was programmed from.
ChipReport ReportChip(const ConfigBlock& block);

// "240 x 320, 8 bpp, color, PivotScan"
std::string DescribeGeometry(const ChipReport& report);

// The frame rate and the registers the HAL changed, on one line.
std::string DescribeProgramming(const ChipReport& report);

} // namespace zlc::preview

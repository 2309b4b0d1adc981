#include "preview/PanelPreview.h"

#include "hal/ChipWindow.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"

#include <memory>

namespace zlc::preview {

namespace {

int Log2(int depth) {
    int log2 = 0;
    while ((1 << log2) < depth) {
        ++log2;
    }
    return log2;
}

} // namespace

bool IsChipDepth(int depth) {
    return depth == 1 || depth == 2 || depth == 4 || depth == 8;
}

PanelPreview MakePanelPreview(const ConfigBlock& block, const PreviewOptions& options) {
    ConfigBlock programmed = block;
    if (IsChipDepth(options.depth)) {
        uint8_t& mode = programmed.regs[REG_MODE_REGISTER_1];
        mode = static_cast<uint8_t>((mode & 0x3F) | Log2(options.depth) << 6);
    }
    std::vector<uint8_t> board(sim::kBoardFileSize);
    sim::FormatBoardImage(board);
    PanelPreview preview;
    if (halInitializeWithWindow(&programmed, std::make_unique<sim::SimulatedBoard>(board)) !=
        HAL_OK) {
        preview.message = "the HAL cannot program the simulated board";
    } else {
        preview.message = ProgramChip(programmed, options.pattern);
        static_cast<ChipReport&>(preview) = ReportChip(programmed);
    }
    // The board and the block copy go with this call.
    halInitializeWithWindow(nullptr, nullptr);
    if (!preview.message.empty()) {
        return preview;
    }
    preview.ok = sim::RenderPanel(board, preview.image, preview.message);
    return preview;
}

} // namespace zlc::preview

// The board file reader and the panel renderer: whatever a board file holds,
// the picture stays inside the board's memory and the picture's own buffer.

#include "hal/Hal.h"
#include "hal/sim/PanelRenderer.h"
#include "hal/sim/SimulatedBoard.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string message;
    zlc::sim::PanelImage image;
    zlc::sim::RenderPanel({data, size}, image, message);

    // The input as a board's registers, look-up table and display memory.
    static std::vector<uint8_t> board(zlc::sim::kBoardFileSize);
    zlc::sim::FormatBoardImage(board);
    size_t at = 0;
    const auto take = [&](size_t offset, size_t length) {
        const size_t n = std::min(length, size - at);
        std::memcpy(board.data() + offset, data + at, n);
        at += n;
    };
    take(zlc::sim::kRegisterOffset, 32);
    take(zlc::sim::kLutOffset, zlc::sim::kLutEntries * 3);
    take(0, zlc::sim::kMemorySize);
    // Panels of up to 128 x 128 keep a run short; the addressing that decides
    // where pixels are read from is left as the input has it.
    board[zlc::sim::kRegisterOffset + REG_HORZ_PANEL_SIZE] &= 0x0F;
    board[zlc::sim::kRegisterOffset + REG_VERT_PANEL_SIZE_LSB] &= 0x7F;
    board[zlc::sim::kRegisterOffset + REG_VERT_PANEL_SIZE_MSB] = 0;
    zlc::sim::RenderPanel(board, image, message);
    return 0;
}

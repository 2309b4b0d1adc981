#include "preview/PanelPreview.h"

#include "base/Format.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"

#include <array>
#include <memory>

namespace zlc::preview {

namespace {

// Registers the HAL does not program from the block (the revision code, the
// scratch pad, the reserved ones) and the look-up table ports, which hold
// whatever the table load left in them.
constexpr std::array<int, 5> kNotCompared = {0x00, 0x14, 0x15, 0x17, 0x1A};
constexpr int kLastCompared = 0x1D;

constexpr uint8_t kPivotScanEnable = 0x80;

bool IsCompared(int index) {
    for (const int skipped : kNotCompared) {
        if (index == skipped) {
            return false;
        }
    }
    return index <= kLastCompared;
}

int Log2(int depth) {
    int log2 = 0;
    while ((1 << log2) < depth) {
        ++log2;
    }
    return log2;
}

std::string RefusalMessage(int result, const ConfigBlock& block) {
    const int panelHeight = (block.regs[REG_VERT_PANEL_SIZE_MSB] & 0x03) * 256 +
                            block.regs[REG_VERT_PANEL_SIZE_LSB] + 1;
    const int lineBytes = panelHeight * (1 << (block.regs[REG_MODE_REGISTER_1] >> 6)) / 8;
    if (result == HAL_INVALID_PARAMETER) {
        return Format("PivotScan cannot show lines of %d bytes (1 to 256 bytes)", lineBytes);
    }
    return Format("no panel timing gives the frame rate of %u Hz at this panel size and clock",
                  static_cast<unsigned>(block.frameRate));
}

std::vector<RegisterChange> ChangedRegisters(const ConfigBlock& block,
                                             const std::vector<uint8_t>& board) {
    std::vector<RegisterChange> changes;
    for (int index = 0; index <= kLastCompared; ++index) {
        const uint8_t programmed = board[sim::kRegisterOffset + static_cast<size_t>(index)];
        if (IsCompared(index) && programmed != block.regs[index]) {
            changes.push_back({index, block.regs[index], programmed});
        }
    }
    return changes;
}

// Programs the board as the test program does at start and draws the pattern.
// Returns the HAL's refusal, or an empty text.
std::string ProgramBoard(ConfigBlock& block, std::vector<uint8_t>& board, Pattern pattern) {
    sim::FormatBoardImage(board);
    if (halInitializeWithWindow(&block, std::make_unique<sim::SimulatedBoard>(board)) != HAL_OK ||
        halProgramRegisters() != HAL_OK) {
        return "the HAL cannot program the simulated board";
    }
    const bool pivotScan = (block.regs[REG_PORTRAIT_MODE] & kPivotScanEnable) != 0;
    const int result = halSetOrientation(pivotScan ? 1 : 0);
    // Without a frame rate to tune for, the timing is the block's own.
    if (result == HAL_INVALID_PARAMETER || (result != HAL_OK && block.frameRate != 0)) {
        return RefusalMessage(result, block);
    }
    int width = 0;
    int height = 0;
    halGetDisplaySize(&width, &height);
    halClearMemory();
    DrawPattern(pattern, width, height, halGetBitsPerPixel());
    return {};
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
    PanelPreview preview;
    preview.requestedFrameRate = programmed.frameRate;
    preview.message = ProgramBoard(programmed, board, options.pattern);
    preview.frameRate = halGetFrameRate();
    // The board and the block copy go with this call.
    halInitializeWithWindow(nullptr, nullptr);
    if (!preview.message.empty()) {
        return preview;
    }
    preview.ok = sim::RenderPanel(board, preview.image, preview.message);
    preview.geometry = sim::DescribePanel(board);
    preview.changes = ChangedRegisters(programmed, board);
    return preview;
}

std::string DescribeGeometry(const PanelPreview& preview) {
    const sim::PanelGeometry& g = preview.geometry;
    return Format("%d x %d, %d bpp, %s, %s", g.width, g.height, g.bitsPerPixel,
                  g.color ? "color" : "mono", g.pivotScan ? "PivotScan" : "landscape");
}

std::string DescribeProgramming(const PanelPreview& preview) {
    std::string text = Format("Frame rate %u Hz", preview.frameRate);
    text += preview.requestedFrameRate != 0
                ? Format(" (tuned for %u Hz)", preview.requestedFrameRate)
                : std::string(" (no rate asked for: the block's own timing)");
    text += "; registers the HAL changed:";
    if (preview.changes.empty()) {
        return text + " none";
    }
    for (size_t i = 0; i < preview.changes.size(); ++i) {
        const RegisterChange& change = preview.changes[i];
        text += Format("%s REG[%02Xh] %02Xh to %02Xh", i == 0 ? "" : ",",
                       static_cast<unsigned>(change.index), static_cast<unsigned>(change.fromBlock),
                       static_cast<unsigned>(change.programmed));
    }
    return text;
}

} // namespace zlc::preview

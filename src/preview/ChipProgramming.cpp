#include "preview/ChipProgramming.h"

#include "base/Format.h"
#include "hal/Hal.h"

#include <array>

namespace zlc::preview {

namespace {

constexpr std::array<int, 5> kNotProgrammed = {0x00, 0x14, 0x15, 0x17, 0x1A};
constexpr int kLastProgrammed = 0x1D;

constexpr uint8_t kPivotScanEnable = 0x80;

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

} // namespace

bool IsProgrammedFromBlock(int index) {
    for (const int skipped : kNotProgrammed) {
        if (index == skipped) {
            return false;
        }
    }
    return index >= 0 && index <= kLastProgrammed;
}

std::string ProgramChip(const ConfigBlock& block, Pattern pattern) {
    if (halProgramRegisters() != HAL_OK) {
        return "the HAL cannot program the board";
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

ChipReport ReportChip(const ConfigBlock& block) {
    ChipReport report;
    // Only the registers programmed from the block are read: reading the
    // look-up table's data port would step it.
    std::array<uint8_t, kRegisterCount> regs{};
    for (int index = 0; index <= kLastProgrammed; ++index) {
        if (!IsProgrammedFromBlock(index)) {
            continue;
        }
        regs[static_cast<size_t>(index)] = halReadRegister(index);
        if (regs[static_cast<size_t>(index)] != block.regs[index]) {
            report.changes.push_back({index, block.regs[index], regs[static_cast<size_t>(index)]});
        }
    }
    report.geometry = sim::DescribeRegisters(regs.data());
    report.frameRate = halGetFrameRate();
    report.requestedFrameRate = block.frameRate;
    return report;
}

std::string DescribeGeometry(const ChipReport& report) {
    const sim::PanelGeometry& g = report.geometry;
    return Format("%d x %d, %d bpp, %s, %s", g.width, g.height, g.bitsPerPixel,
                  g.color ? "color" : "mono", g.pivotScan ? "PivotScan" : "landscape");
}

std::string DescribeProgramming(const ChipReport& report) {
    std::string text = Format("Frame rate %u Hz", report.frameRate);
    text += report.requestedFrameRate != 0
                ? Format(" (tuned for %u Hz)", report.requestedFrameRate)
                : std::string(" (no rate asked for: the block's own timing)");
    text += "; registers the HAL changed:";
    if (report.changes.empty()) {
        return text + " none";
    }
    for (size_t i = 0; i < report.changes.size(); ++i) {
        const RegisterChange& change = report.changes[i];
        text += Format("%s REG[%02Xh] %02Xh to %02Xh", i == 0 ? "" : ",",
                       static_cast<unsigned>(change.index), static_cast<unsigned>(change.fromBlock),
                       static_cast<unsigned>(change.programmed));
    }
    return text;
}

} // namespace zlc::preview

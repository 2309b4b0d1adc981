#pragma once

#include "hal/ChipWindow.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"
#include "model/ConfigBlock.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace zlc::test {

// A simulated board whose display memory is a separate allocation of exactly
// the chip's size, so that a sanitizer sees any write past its end.
class TightBoard : public sim::SimulatedBoard {
  public:
    TightBoard(std::span<uint8_t> image, std::vector<uint8_t>& memory)
        : SimulatedBoard(image), memory_(memory) {}
    uint8_t* Memory() override { return memory_.data(); }

  private:
    std::vector<uint8_t>& memory_;
};

// The HAL over a board held in memory, programmed from `block`.
class HalTest : public ::testing::Test {
  protected:
    void SetUp() override { sim::FormatBoardImage(board); }

    int Initialize() {
        return halInitializeWithWindow(&block, std::make_unique<TightBoard>(board, memory));
    }
    void Program() {
        ASSERT_EQ(Initialize(), HAL_OK);
        ASSERT_EQ(halProgramRegisters(), HAL_OK);
    }
    // The register as the board holds it, without the port side effects.
    uint8_t Reg(int index) const { return board[sim::kRegisterOffset + index]; }
    const uint8_t* Lut(int entry) const { return &board[sim::kLutOffset + entry * 3]; }
    int LutPortIndex() const { return board[sim::kLutIndexOffset]; }

    void SetPanel(int width, int height) {
        block.regs[REG_HORZ_PANEL_SIZE] = static_cast<uint8_t>(width / 8 - 1);
        block.regs[REG_VERT_PANEL_SIZE_LSB] = static_cast<uint8_t>((height - 1) & 0xFF);
        block.regs[REG_VERT_PANEL_SIZE_MSB] = static_cast<uint8_t>((height - 1) >> 8);
    }
    void SetDepth(int log2) {
        halWriteRegister(
            REG_MODE_REGISTER_1,
            static_cast<uint8_t>((halReadRegister(REG_MODE_REGISTER_1) & 0x3F) | (log2 << 6)));
    }

    HAL_STRUCT block = DefaultConfigBlock();
    std::vector<uint8_t> board = std::vector<uint8_t>(sim::kBoardFileSize);
    std::vector<uint8_t> memory = std::vector<uint8_t>(HAL_MEMORY_SIZE, 0xEE);
};

} // namespace zlc::test

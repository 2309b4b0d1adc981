#include "HalFixture.h"
#include "hal/sim/PanelRenderer.h"

#include <algorithm>
#include <array>

namespace zlc::test {
namespace {

using Rgb = std::array<uint8_t, 3>;

Rgb At(const uint8_t* entry) {
    return {entry[0], entry[1], entry[2]};
}

TEST_F(HalTest, ProgramsTheBlockButNotTheRevisionScratchOrReservedRegisters) {
    for (int i = 1; i < 32; ++i) {
        block.regs[i] = static_cast<uint8_t>(0x40 + i);
    }
    block.regs[REG_MODE_REGISTER_1] = 0xE0; // keep a depth the memory clear can use
    for (int i : {0x14, 0x1A, 0x1E, 0x1F}) {
        board[sim::kRegisterOffset + i] = 0x99;
    }
    Program();
    for (int i : {0x01, 0x03, 0x08, 0x0C, 0x11, 0x13, 0x14, 0x19, 0x1A, 0x1B, 0x1D, 0x1E, 0x1F}) {
        const bool kept = i == 0x14 || i == 0x1A || i == 0x1E || i == 0x1F;
        EXPECT_EQ(Reg(i), kept ? 0x99 : 0x40 + i) << "REG[" << i << "]";
    }
    // REG[00h] ignores writes; registers outside the 32 are neither read nor written.
    halWriteRegister(REG_REVISION_CODE, 0x55);
    halWriteRegister(32, 0x55);
    EXPECT_EQ(halReadRegister(REG_REVISION_CODE), 0x24);
    EXPECT_EQ(halReadRegister(32), 0);
}

TEST_F(HalTest, ClearsTheShownBytesButNothingPastDisplayMemory) {
    // 320 x 240 at 8 bpp is 76800 bytes; 640 x 480 would be 307200.
    for (const auto& [width, height, cleared] :
         {std::tuple{320, 240, 76800}, std::tuple{640, 480, HAL_MEMORY_SIZE}}) {
        std::fill(memory.begin(), memory.end(), 0xEE);
        SetPanel(width, height);
        Program();
        EXPECT_EQ(std::count(memory.begin(), memory.begin() + cleared, 0), cleared);
        EXPECT_EQ(std::count(memory.begin(), memory.end(), 0), cleared);
    }
}

// Dark colours, then bright ones.
TEST_F(HalTest, FourBitColourTableHasSixteenEntries) {
    int entries = 0;
    const uint8_t* table = halGetLut(4, true, &entries);
    ASSERT_EQ(entries, 16);
    EXPECT_EQ(At(table + 5 * 3), (Rgb{0xA0, 0x00, 0xA0}));
    EXPECT_EQ(At(table + 11 * 3), (Rgb{0x00, 0xF0, 0xF0}));
    EXPECT_EQ(halGetLut(3, true, &entries), nullptr);
}

TEST_F(HalTest, RendererShowsMonochromeAsGreyAndBlackPastMemory) {
    uint8_t* regs = &board[sim::kRegisterOffset];
    regs[REG_MODE_REGISTER_0] = 0x00; // monochrome
    regs[REG_MODE_REGISTER_1] = 0xC0; // 8 bpp
    regs[REG_HORZ_PANEL_SIZE] = 1;    // 16 x 4
    regs[REG_VERT_PANEL_SIZE_LSB] = 3;
    regs[REG_SCRN1_START_ADDR_LSB] = 0xF0; // 2 lines before the end of memory
    regs[REG_SCRN1_START_ADDR_MSB] = 0x9F;
    std::copy_n(Rgb{0xF0, 0x80, 0x00}.begin(), 3, &board[sim::kLutOffset + 5 * 3]);
    std::fill(board.begin(), board.begin() + HAL_MEMORY_SIZE, 5);
    sim::PanelImage image;
    std::string message;
    ASSERT_TRUE(sim::RenderPanel(board, image, message)) << message;
    EXPECT_EQ(At(&image.rgb[(1 * 16 + 15) * 3]), (Rgb{0x88, 0x88, 0x88}));
    EXPECT_EQ(At(&image.rgb[(2 * 16) * 3]), (Rgb{0, 0, 0}));

    board[sim::kHeaderOffset] = 'X';
    EXPECT_FALSE(sim::RenderPanel(board, image, message));
    EXPECT_EQ(message, "not a simulated board file");
}

} // namespace
} // namespace zlc::test

#include "HalFixture.h"

namespace zlc::test {
namespace {

using VirtualScreen = HalTest;

TEST_F(VirtualScreen, LandscapeWidthLiesBetweenPanelAndPanelPlus255Words) {
    SetPanel(160, 16);
    Program();
    SetDepth(0); // 1 bpp: 16 pixels a word
    int lines = -1;
    EXPECT_EQ(halSetVirtualWidth(159, &lines), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetVirtualWidth(160 + 255 * 16 + 1, &lines), HAL_INVALID_PARAMETER);
    EXPECT_EQ(lines, -1);
    EXPECT_EQ(Reg(REG_MEM_ADDR_OFFSET), 0);

    EXPECT_EQ(halSetVirtualWidth(160 + 255 * 16, &lines), HAL_OK);
    EXPECT_EQ(lines, 81920 / (20 + 510));
    EXPECT_EQ(Reg(REG_MEM_ADDR_OFFSET), 255);
    EXPECT_EQ(halSetVirtualWidth(160, &lines), HAL_OK);
    EXPECT_EQ(lines, 4096);
    EXPECT_EQ(Reg(REG_MEM_ADDR_OFFSET), 0);
}

TEST_F(VirtualScreen, SettingTheSameWidthTwiceGivesTheSameScreen) {
    Program();
    SetDepth(0);
    int first = 0;
    int second = 0;
    ASSERT_EQ(halSetVirtualWidth(640, &first), HAL_OK);
    ASSERT_EQ(halSetVirtualWidth(640, &second), HAL_OK);
    EXPECT_EQ(first, 1024);
    EXPECT_EQ(second, 1024);
    EXPECT_EQ(Reg(REG_MEM_ADDR_OFFSET), 20);
}

TEST_F(VirtualScreen, WidthThatLeavesTooFewLinesIsRefused) {
    Program(); // 8 bpp: 640 pixels give 128 lines of a 240-line panel
    int lines = 0;
    EXPECT_EQ(halSetVirtualWidth(640, &lines), HAL_INVALID_PARAMETER);
    EXPECT_EQ(Reg(REG_MEM_ADDR_OFFSET), 0);
}

TEST_F(VirtualScreen, PivotScanWidthLiesBetweenShownWidthAnd2048Bits) {
    Program();
    halSetPortrait(); // shows 240 x 320 at 8 bpp
    int lines = 0;
    EXPECT_EQ(halSetVirtualWidth(239, &lines), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetVirtualWidth(257, &lines), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetVirtualWidth(248, &lines), HAL_OK);
    EXPECT_EQ(lines, 330);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 248);
    EXPECT_EQ(halSetVirtualWidth(256, &lines), HAL_OK);
    EXPECT_EQ(lines, 320);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 0);

    SetPanel(640, 480);
    Program();
    SetDepth(2); // 480 x 640 at 4 bpp: 320 lines of 256 bytes cannot show 640
    ASSERT_NE(halSetPortrait(), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetVirtualWidth(512, &lines), HAL_INVALID_PARAMETER);
}

TEST_F(VirtualScreen, StartAddressInLandscapeCountsWords) {
    Program();
    SetDepth(0);
    EXPECT_EQ(halSetStartAddress(1, 0, 1), HAL_INVALID_PARAMETER); // no virtual screen yet
    EXPECT_EQ(halSetStartAddress(1, 0, 0), HAL_OK);
    ASSERT_EQ(halSetVirtualWidth(640, nullptr), HAL_OK); // 1024 lines of 80 bytes

    EXPECT_EQ(halSetStartAddress(1, 32, 10), HAL_OK); // 2 + 80 x 10 / 2 words
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_LSB), 402 & 0xFF);
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_MSB), 402 >> 8);
    EXPECT_EQ(halSetStartAddress(2, 16, 1024), HAL_OK); // the last line is accepted
    EXPECT_EQ(Reg(REG_SCRN2_START_ADDR_LSB), (1 + 40960) & 0xFF);
    EXPECT_EQ(Reg(REG_SCRN2_START_ADDR_MSB), (1 + 40960) >> 8);

    EXPECT_EQ(halSetStartAddress(1, 0, 1025), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetStartAddress(0, 0, 0), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetStartAddress(3, 0, 0), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetStartAddress(1, -16, 0), HAL_INVALID_PARAMETER);
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_LSB), 402 & 0xFF);
}

TEST_F(VirtualScreen, StartAddressInPivotScanUsesTheSeventeenthBit) {
    Program();
    halSetPortrait();
    ASSERT_EQ(halSetVirtualWidth(256, nullptr), HAL_OK); // 320 lines of 256 bytes

    EXPECT_EQ(halSetStartAddress(1, 5, 2), HAL_OK); // 512 + 239 + 5 bytes
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_LSB), 756 & 0xFF);
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_MSB), 756 >> 8);
    EXPECT_EQ(Reg(REG_SCRN__START_ADDR), 0);

    const int address = 256 * 320 + 239 + 5; // beyond 16 bits
    EXPECT_EQ(halSetStartAddress(1, 5, 320), HAL_OK);
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_LSB), address & 0xFF);
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_MSB), (address >> 8) & 0xFF);
    EXPECT_EQ(Reg(REG_SCRN__START_ADDR), 1);
    // Screen 2 has no seventeenth bit.
    EXPECT_EQ(halSetStartAddress(2, 5, 320), HAL_INVALID_PARAMETER);

    EXPECT_EQ(halSetStartAddress(1, 0, 0), HAL_OK);
    EXPECT_EQ(Reg(REG_SCRN__START_ADDR), 0);
}

} // namespace
} // namespace zlc::test

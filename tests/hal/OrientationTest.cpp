#include "HalFixture.h"

namespace zlc::test {
namespace {

using Orientation = HalTest;

TEST_F(Orientation, PortraitLineByteCountFollowsTheMode) {
    Program(); // 240 lines at 8 bpp: 240 bytes per PivotScan line
    EXPECT_EQ(halSetPortrait(),
              HAL_FAILED); // no frame rate asked for; the mode is set all the same
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x80);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 0); // 256, the next power of two
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_LSB), 239);
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_MSB), 0);
    EXPECT_EQ(Reg(REG_SCRN__START_ADDR), 0);

    halSetAlternatePortrait(1);
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0xC0);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 240);
    halSetAlternatePortrait(-1);
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x80);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 0);
}

TEST_F(Orientation, AlternateModeOutsidePivotScanOnlySetsTheBit) {
    Program();
    EXPECT_EQ(halSetAlternatePortrait(1), HAL_OK);
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x40);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 0);
    halSetPortrait();
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 240);
}

TEST_F(Orientation, LinesLongerThanTheByteCountCanHoldAreRefused) {
    SetPanel(320, 480); // 480 bytes per PivotScan line at 8 bpp
    Program();
    halWriteRegister(REG_SCRN1_START_ADDR_LSB, 0x12);
    EXPECT_EQ(halSetPortrait(), HAL_INVALID_PARAMETER);
    halSetAlternatePortrait(1);
    EXPECT_EQ(halSetOrientation(1), HAL_INVALID_PARAMETER);
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x40);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 0);
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_LSB), 0x12);

    SetDepth(2); // 4 bpp: 240 bytes fit
    EXPECT_NE(halSetPortrait(), HAL_INVALID_PARAMETER);
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT), 240);
}

TEST_F(Orientation, FastInputClockSetsThePortraitMemoryClock) {
    block.clkiKHz = 50000;
    Program();
    halSetPortrait();
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x84);

    // Halved by the input clock divide, 50 MHz is not above 25 MHz: bit 2 is
    // left as it was, either way.
    halWriteRegister(REG_MODE_REGISTER_1, 0xF0);
    halWriteRegister(REG_PORTRAIT_MODE, 0x00);
    halSetPortrait();
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x80);
    halWriteRegister(REG_PORTRAIT_MODE, 0x04);
    halSetPortrait();
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x84);
}

TEST_F(Orientation, LandscapeClearsThePivotScanRegisters) {
    block.frameRate = 60;
    Program();
    halSetPortrait();
    EXPECT_EQ(halSetOrientation(0), HAL_OK);
    for (int index : {REG_SCRN1_START_ADDR_LSB, REG_SCRN1_START_ADDR_MSB, REG_SCRN__START_ADDR,
                      REG_PORTRAIT_MODE, REG_LINE_BYTE_COUNT}) {
        EXPECT_EQ(Reg(index), 0) << "REG[" << index << "]";
    }
    EXPECT_EQ(Reg(REG_HORZ_NONDISP_PERIOD), 3); // and the timing is fitted again

    halSetPortrait();
    EXPECT_EQ(halSetOrientation(2), HAL_FAILED);
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x80);
}

} // namespace
} // namespace zlc::test

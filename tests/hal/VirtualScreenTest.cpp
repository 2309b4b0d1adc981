#include "HalFixture.h"
#include "cases/CaseFile.h"

namespace zlc::test {
namespace {

using VirtualScreen = HalTest;

TEST_F(VirtualScreen, PortraitLineByteCountFollowsTheMode) {
    Program(); // 240 lines at 8 bpp: 240 bytes per PivotScan line
    const auto modeAndCount = [this] {
        return std::pair<int, int>{Reg(REG_PORTRAIT_MODE), Reg(REG_LINE_BYTE_COUNT)};
    };
    EXPECT_EQ(halSetAlternatePortrait(1), HAL_OK); // outside PivotScan: the bit only
    EXPECT_EQ(modeAndCount(), std::make_pair(0x40, 0));
    halSetAlternatePortrait(-1);

    EXPECT_EQ(halSetPortrait(),
              HAL_FAILED); // no frame rate asked for; the mode is set all the same
    EXPECT_EQ(modeAndCount(), std::make_pair(0x80, 0)); // 256, the next power of two
    EXPECT_EQ(Reg(REG_SCRN1_START_ADDR_LSB), 239);      // the last byte of the first line
    halSetAlternatePortrait(1);
    EXPECT_EQ(modeAndCount(), std::make_pair(0xC0, 240));
    halSetAlternatePortrait(-1);
    EXPECT_EQ(modeAndCount(), std::make_pair(0x80, 0));
}

TEST_F(VirtualScreen, PivotScanLinesLongerThanTheByteCountCanHoldAreRefused) {
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

TEST_F(VirtualScreen, PortraitMemoryClockFollowsTheDividedInputClock) {
    block.clkiKHz = 50000;
    Program();
    halSetPortrait();
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x84);
    // Halved by the input clock divide, 50 MHz is not above 25 MHz.
    halWriteRegister(REG_MODE_REGISTER_1, 0xF0);
    halWriteRegister(REG_PORTRAIT_MODE, 0x00);
    halSetPortrait();
    EXPECT_EQ(Reg(REG_PORTRAIT_MODE), 0x80);
}

TEST_F(VirtualScreen, LandscapeClearsThePivotScanRegistersAndTunesAgain) {
    block.frameRate = 60;
    Program();
    halSetPortrait();
    EXPECT_EQ(halSetOrientation(0), HAL_OK);
    for (int index : {REG_SCRN1_START_ADDR_LSB, REG_SCRN1_START_ADDR_MSB, REG_SCRN__START_ADDR,
                      REG_PORTRAIT_MODE, REG_LINE_BYTE_COUNT}) {
        EXPECT_EQ(Reg(index), 0) << "REG[" << index << "]";
    }
    EXPECT_EQ(Reg(REG_HORZ_NONDISP_PERIOD), 3);
}

class VirtualWidth : public HalTest, public ::testing::WithParamInterface<Case> {};

TEST_P(VirtualWidth, LiesInTheRangeOfTheOrientation) {
    const Case& c = GetParam();
    const std::vector<long> panel =
        c.Has("panel") ? c.Numbers("panel") : std::vector<long>{320, 240};
    SetPanel(static_cast<int>(panel[0]), static_cast<int>(panel[1]));
    Program();
    SetDepth(static_cast<int>(c.Has("depth") ? c.Number("depth") : 3));
    if (c.Or("portrait", "0") == "1") {
        halSetPortrait();
    }
    int lines = -1;
    for (long call = 0; call < (c.Has("calls") ? c.Number("calls") : 1); ++call) {
        EXPECT_EQ(halSetVirtualWidth(static_cast<int>(c.Number("width")), &lines),
                  c["result"] == "OK" ? HAL_OK : HAL_INVALID_PARAMETER);
        EXPECT_EQ(lines, c.Number("lines"));
    }
    EXPECT_EQ(Reg(REG_MEM_ADDR_OFFSET),
              c.Has("offset") ? c.Number("offset") : Reg(REG_MEM_ADDR_OFFSET));
    EXPECT_EQ(Reg(REG_LINE_BYTE_COUNT),
              c.Has("line-bytes") ? c.Number("line-bytes") : Reg(REG_LINE_BYTE_COUNT));
}

ZLC_CASES(VirtualWidth, "hal/virtual-widths.txt");

TEST_F(VirtualScreen, StartAddressStaysInsideTheVirtualScreen) {
    Program();
    SetDepth(0);
    EXPECT_EQ(halSetStartAddress(1, 0, 1), HAL_INVALID_PARAMETER); // no virtual screen yet
    ASSERT_EQ(halSetVirtualWidth(640, nullptr), HAL_OK);           // 1024 lines of 80 bytes
    EXPECT_EQ(halSetStartAddress(2, 16, 1024), HAL_OK);            // 1 + 80 x 1024 / 2 words
    EXPECT_EQ(Reg(REG_SCRN2_START_ADDR_MSB) << 8 | Reg(REG_SCRN2_START_ADDR_LSB), 1 + 40960);
    for (const auto& [screen, x, y] : {std::tuple{1, 0, 1025}, {0, 0, 0}, {3, 0, 0}, {1, -16, 0}}) {
        EXPECT_EQ(halSetStartAddress(screen, x, y), HAL_INVALID_PARAMETER) << screen << x << y;
    }

    SetDepth(3);
    halSetPortrait(); // 8 bpp: 320 lines of 256 bytes
    ASSERT_EQ(halSetVirtualWidth(256, nullptr), HAL_OK);
    // Screen 1 has a seventeenth address bit in PivotScan, screen 2 none.
    EXPECT_EQ(halSetStartAddress(1, 5, 320), HAL_OK); // 256 x 320 + 239 + 5 bytes
    EXPECT_EQ(Reg(REG_SCRN__START_ADDR) << 16 | Reg(REG_SCRN1_START_ADDR_MSB) << 8 |
                  Reg(REG_SCRN1_START_ADDR_LSB),
              256 * 320 + 239 + 5);
    EXPECT_EQ(halSetStartAddress(2, 5, 320), HAL_INVALID_PARAMETER);
    EXPECT_EQ(halSetStartAddress(1, 0, 0), HAL_OK);
    EXPECT_EQ(Reg(REG_SCRN__START_ADDR), 0);
}

} // namespace
} // namespace zlc::test

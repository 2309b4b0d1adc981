#include "HalFixture.h"
#include "cases/CaseFile.h"

namespace zlc::test {
namespace {

class FrameRate : public HalTest, public ::testing::WithParamInterface<Case> {};

TEST_P(FrameRate, FitsThePeriodsAndTheClockDivideToTheRate) {
    const Case& c = GetParam();
    block.frameRate = static_cast<uint16_t>(c.Number("rate"));
    block.clkiKHz = static_cast<uint32_t>(c.Number("clki"));
    block.regs[REG_MODE_REGISTER_0] |= c.Number("dual") != 0 ? 0x40 : 0;
    block.regs[REG_MODE_REGISTER_1] = 0xF0;
    block.regs[REG_PORTRAIT_MODE] = static_cast<uint8_t>(c.Number("portrait"));
    Program();
    EXPECT_EQ(halTuneFrameRate(), c["result"] == "OK" ? HAL_OK : HAL_FAILED);
    EXPECT_EQ(Reg(REG_HORZ_NONDISP_PERIOD), c.Number("horz"));
    EXPECT_EQ(Reg(REG_VERT_NONDISP_PERIOD), c.Number("vert"));
    EXPECT_EQ(Reg(REG_MODE_REGISTER_1), c.Number("divided") != 0 ? 0xF0 : 0xE0);
    if (c["result"] == "OK") {
        // The chip runs at the rate asked for or, the periods being whole
        // lines and pixels, a little above it.
        EXPECT_GE(halGetFrameRate(), c.Number("rate"));
        EXPECT_LT(halGetFrameRate(), c.Number("rate") * 11 / 10);
    }
}

ZLC_CASES(FrameRate, "hal/frame-rates.txt");

} // namespace
} // namespace zlc::test

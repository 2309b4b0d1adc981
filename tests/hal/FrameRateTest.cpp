#include "HalFixture.h"

namespace zlc::test {
namespace {

struct RateCase {
    const char* name;
    int rate;
    uint32_t clkiKHz;
    bool dual;
    uint8_t portrait;       // REG[1Bh]
    int result, horz, vert; // horz and vert: REG[08h] and REG[0Ah] as tuned
    bool divided;           // REG[02h] bit 4
};

// The default 320 x 240 panel, with REG[02h] bit 4 set beforehand: a choice
// from the full clock clears it, a failure leaves it.
const RateCase kRates[] = {
    // 6 MHz / ((320 + 56) x (240 + 25)) is 60.2 Hz; 50 Hz: (320 + 128) x (240 + 27).
    {"Rate60", 60, 6000, false, 0, HAL_OK, 3, 25, false},
    {"Rate50", 50, 6000, false, 0, HAL_OK, 12, 27, false},
    {"ShortestHorizontalPeriod", 70, 6000, false, 0, HAL_OK, 0, 3, false},
    {"DualAt120HzOver120Lines", 60, 6000, true, 0, HAL_OK, 0, 22, false},
    {"DualHalvedClockShortPeriodWins", 30, 6000, true, 0, HAL_OK, 0, 22, true},
    {"OnlyTheHalvedClockFits", 60, 12000, false, 0, HAL_OK, 3, 25, true},
    {"PivotScanPixelClockHalf", 60, 12000, false, 0x81, HAL_OK, 3, 25, false},
    {"AlternateWithoutDivideHalvesToo", 60, 12000, false, 0xC0, HAL_OK, 3, 25, false},
    {"PivotScanFullClock", 60, 12000, false, 0x80, HAL_OK, 3, 25, true},
    {"NoRateAskedFor", 0, 6000, false, 0, HAL_FAILED, 0x0C, 0x0B, true},
    {"NoFit", 1000, 6000, false, 0, HAL_FAILED, 0x0C, 0x0B, true},
};

void PrintTo(const RateCase& c, std::ostream* out) {
    *out << c.name;
}

class FrameRate : public HalTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(FrameRate, FitsThePeriodsAndTheClockDivideToTheRate) {
    const RateCase& c = GetParam();
    block.frameRate = static_cast<uint16_t>(c.rate);
    block.clkiKHz = c.clkiKHz;
    block.regs[REG_MODE_REGISTER_0] |= c.dual ? 0x40 : 0;
    block.regs[REG_MODE_REGISTER_1] = 0xF0;
    block.regs[REG_PORTRAIT_MODE] = c.portrait;
    Program();
    EXPECT_EQ(halTuneFrameRate(), c.result);
    EXPECT_EQ(Reg(REG_HORZ_NONDISP_PERIOD), c.horz);
    EXPECT_EQ(Reg(REG_VERT_NONDISP_PERIOD), c.vert);
    EXPECT_EQ(Reg(REG_MODE_REGISTER_1), c.divided ? 0xF0 : 0xE0);
    if (c.result == HAL_OK) {
        // The chip runs at the rate asked for or, the periods being whole
        // lines and pixels, a little above it.
        EXPECT_GE(halGetFrameRate(), static_cast<unsigned>(c.rate));
        EXPECT_LT(halGetFrameRate(), static_cast<unsigned>(c.rate) * 11 / 10);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, FrameRate, ::testing::ValuesIn(kRates),
                         [](const auto& instance) { return std::string(instance.param.name); });

} // namespace
} // namespace zlc::test

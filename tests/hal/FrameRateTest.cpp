#include "HalFixture.h"

namespace zlc::test {
namespace {

class FrameRate : public HalTest {
  protected:
    // Tunes the default 320 x 240 panel for `rate` Hz from `clkiKHz`.
    int Tune(int rate, uint32_t clkiKHz = 6000) {
        block.frameRate = static_cast<uint16_t>(rate);
        block.clkiKHz = clkiKHz;
        Program();
        return halTuneFrameRate();
    }
    // The periods as REG[08h] and REG[0Ah] hold them.
    std::pair<int, int> Periods() const {
        return {Reg(REG_HORZ_NONDISP_PERIOD), Reg(REG_VERT_NONDISP_PERIOD)};
    }
    bool ClockDivided() const { return (Reg(REG_MODE_REGISTER_1) & 0x10) != 0; }
};

TEST_F(FrameRate, FitsThePeriodsToTheRate) {
    // 6 MHz / ((320 + 56) x (240 + 25)) is 60.2 Hz.
    EXPECT_EQ(Tune(60), HAL_OK);
    EXPECT_EQ(Periods(), std::make_pair(3, 25));
    EXPECT_FALSE(ClockDivided());

    EXPECT_EQ(Tune(50), HAL_OK); // (320 + 128) x (240 + 27)
    EXPECT_EQ(Periods(), std::make_pair(12, 27));

    EXPECT_EQ(Tune(70), HAL_OK); // the shortest horizontal period: (320 + 32) x (240 + 3)
    EXPECT_EQ(Periods(), std::make_pair(0, 3));
}

TEST_F(FrameRate, DualPanelRefreshesEachHalfAtTwiceTheRate) {
    block.regs[REG_MODE_REGISTER_0] |= 0x40;
    EXPECT_EQ(Tune(60), HAL_OK); // 120 Hz over 120 lines
    EXPECT_EQ(Periods(), std::make_pair(0, 22));
    EXPECT_FALSE(ClockDivided());
}

TEST_F(FrameRate, PeriodsFittedToTheHalvedClockHaveTheChipDivideIt) {
    // 12 MHz fits nothing; at 6 MHz it is the 60 Hz choice above.
    EXPECT_EQ(Tune(60, 12000), HAL_OK);
    EXPECT_EQ(Periods(), std::make_pair(3, 25));
    EXPECT_TRUE(ClockDivided());

    // A choice from the full clock after one from the halved clock clears the
    // divide again.
    block.frameRate = 60;
    block.clkiKHz = 6000;
    EXPECT_EQ(halTuneFrameRate(), HAL_OK);
    EXPECT_FALSE(ClockDivided());

    // A dual panel at 30 Hz fits both clocks; the halved one's short vertical
    // period wins, and the divide comes with it.
    block.regs[REG_MODE_REGISTER_0] |= 0x40;
    EXPECT_EQ(Tune(30), HAL_OK);
    EXPECT_EQ(Periods(), std::make_pair(0, 22));
    EXPECT_TRUE(ClockDivided());
}

TEST_F(FrameRate, PivotScanDividesThePixelClock) {
    block.frameRate = 60;
    block.clkiKHz = 12000;
    Program();
    halWriteRegister(REG_PORTRAIT_MODE, 0x81); // pixel clock / 2
    EXPECT_EQ(halTuneFrameRate(), HAL_OK);
    EXPECT_EQ(Periods(), std::make_pair(3, 25));
    EXPECT_FALSE(ClockDivided());

    halWriteRegister(REG_PORTRAIT_MODE, 0xC0); // alternate mode without a divide halves it too
    EXPECT_EQ(halTuneFrameRate(), HAL_OK);
    EXPECT_FALSE(ClockDivided());

    halWriteRegister(REG_PORTRAIT_MODE, 0x80); // the full 12 MHz again
    EXPECT_EQ(halTuneFrameRate(), HAL_OK);
    EXPECT_TRUE(ClockDivided());
}

TEST_F(FrameRate, NoRateOrNoFitChangesNothing) {
    block.regs[REG_MODE_REGISTER_1] = 0xF0; // divide set, to see it restored
    EXPECT_EQ(Tune(0), HAL_FAILED);
    EXPECT_EQ(Periods(), std::make_pair(0x0C, 0x0B));
    EXPECT_EQ(Reg(REG_MODE_REGISTER_1), 0xF0);

    EXPECT_EQ(Tune(1000), HAL_FAILED);
    EXPECT_EQ(Periods(), std::make_pair(0x0C, 0x0B));
    EXPECT_EQ(Reg(REG_MODE_REGISTER_1), 0xF0);
}

} // namespace
} // namespace zlc::test

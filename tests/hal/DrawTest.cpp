#include "HalFixture.h"

#include <algorithm>

namespace zlc::test {
namespace {

// 320 x 240 at 2 bpp: 80 bytes a line, four pixels a byte.
class Draw : public HalTest {
  protected:
    void SetUp() override {
        HalTest::SetUp();
        Program();
        SetDepth(1);
        std::fill(memory.begin(), memory.end(), 0);
    }
};

TEST_F(Draw, HorizontalLineMergesPartialBytesAndFillsWholeOnes) {
    memory[80] = 0xFF;
    memory[83] = 0x3F;
    halDrawLine(3, 1, 13, 1, 2); // pixels 3 to 12 of line 1
    EXPECT_EQ(memory[80], 0xFE);
    EXPECT_EQ(memory[81], 0xAA);
    EXPECT_EQ(memory[82], 0xAA);
    EXPECT_EQ(memory[83], 0xBF);
    EXPECT_EQ(memory[84], 0);
    EXPECT_EQ(memory[79], 0);

    halDrawLine(1, 0, 3, 0, 0xFFFFFFFF); // pixels 1 and 2 inside one byte
    EXPECT_EQ(memory[0], 0x3C);
    halDrawLine(8, 0, 8, 0, 3); // empty
    halDrawLine(9, 0, 5, 0, 3); // empty: the end comes first
    EXPECT_EQ(memory[2], 0);
}

TEST_F(Draw, VerticalLineStopsBeforeItsEndAndOtherLinesDrawNothing) {
    halDrawLine(5, 0, 5, 3, 1);
    EXPECT_EQ(memory[1], 0x10);
    EXPECT_EQ(memory[81], 0x10);
    EXPECT_EQ(memory[161], 0x10);
    EXPECT_EQ(memory[241], 0);
    halDrawLine(0, 0, 10, 10, 3);
    EXPECT_EQ(std::count(memory.begin(), memory.end(), 0), HAL_MEMORY_SIZE - 3);
}

TEST_F(Draw, OutlinedRectangleDrawsItsFourEdges) {
    halDrawRect(0, 0, 8, 4, 3, false);
    const uint8_t expected[4][2] = {{0xFF, 0xFF}, {0xC0, 0x03}, {0xC0, 0x03}, {0xFF, 0xFF}};
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(memory[y * 80], expected[y][0]) << "line " << y;
        EXPECT_EQ(memory[y * 80 + 1], expected[y][1]) << "line " << y;
    }
    EXPECT_EQ(memory[4 * 80], 0);
}

TEST_F(Draw, NothingIsDrawnOutsideDisplayMemory) {
    // 1024 lines of 80 bytes fill memory exactly; the rest falls off its end.
    halDrawRect(0, 0, 320, 2000, 3, true);
    halDrawLine(0, 1023, 100000, 1023, 1);
    halDrawLine(7, 1000, 7, 5000, 2);
    halDrawLine(-5, 0, 3, 0, 2);
    EXPECT_EQ(memory[0], 0xAB);
    EXPECT_EQ(memory[HAL_MEMORY_SIZE - 1], 0x55);
    EXPECT_EQ(memory[1000 * 80 + 1], 0xFE);
    EXPECT_EQ(Reg(REG_REVISION_CODE), 0x24);
    EXPECT_EQ(Reg(REG_MODE_REGISTER_1), 0x60);
}

} // namespace
} // namespace zlc::test

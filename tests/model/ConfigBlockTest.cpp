#include "model/ConfigBlock.h"

#include "support/BlockImages.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace zlc {
namespace {

TEST(ConfigBlock, DefaultBlockIsByteForByteTheShippedBlock) {
    const std::vector<uint8_t> expected = {
        '6',  '2',  '7',  '4',  ' ',  'H',  'A',  'L',  ' ',  'E',  'X',  'E',  0,    0,
        0,    0,    0x34, 0x12, 0x44, 0x00, 0x24, 0xA1, 0xE0, 0x07, 0x27, 0xEF, 0x00, 0x05,
        0x0C, 0x04, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x03, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x70, 0x17, 0x00, 0x00,
        0x00, 0x00, 0xF0, 0x00, 0x46, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
    EXPECT_EQ(test::BlockBytes(DefaultConfigBlock()), expected);
}

TEST(ConfigBlock, SwapReversesEveryMultiByteFieldAndNoByteField) {
    ConfigBlock original = DefaultConfigBlock();
    original.frameRate = 0x003C;
    ConfigBlock swapped = original;
    SwapConfigBlock(swapped);
    const std::vector<uint8_t> bytes = test::BlockBytes(swapped);

    EXPECT_EQ(bytes[0x10], 0x12);
    EXPECT_EQ(bytes[0x11], 0x34);
    EXPECT_EQ(bytes[0x12], 0x00);
    EXPECT_EQ(bytes[0x13], 0x44);
    EXPECT_EQ(swapped.clkiKHz, 0x70170000u);
    EXPECT_EQ(swapped.physMemAddr, 0x0000F000u);
    // The register address is converted too, so a big-endian target reads 46h.
    EXPECT_EQ(swapped.physRegAddr, 0x46000000u);
    EXPECT_EQ(swapped.frameRate, 0x3C00u);
    const std::vector<uint8_t> originalBytes = test::BlockBytes(original);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 16, originalBytes.begin()));
    EXPECT_EQ(0, std::memcmp(swapped.regs, original.regs, sizeof original.regs));

    SwapConfigBlock(swapped);
    EXPECT_EQ(test::BlockBytes(swapped), test::BlockBytes(original));
}

} // namespace
} // namespace zlc

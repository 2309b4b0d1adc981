#include "files/BlockSearch.h"

#include "support/BlockImages.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::BlockBytes;
using test::ImageWith;

struct SearchOutcome {
    BlockResult result;
    size_t offset;
    std::string message;
};

SearchOutcome Search(const std::vector<uint8_t>& image) {
    SearchOutcome outcome{BLOCK_ABSENT, SIZE_MAX, {}};
    ConfigBlock block{};
    outcome.result = LocateConfigBlock(image, &block, &outcome.offset, outcome.message);
    return outcome;
}

std::vector<uint8_t> WrongSizeBlock() {
    ConfigBlock block = DefaultConfigBlock();
    block.structSize = 64;
    return BlockBytes(block);
}

TEST(BlockSearch, FindsABlockAtBothEndsOfTheImage) {
    const auto block = BlockBytes(DefaultConfigBlock());
    EXPECT_EQ(Search(ImageWith(1000, 0, block)).offset, 0u);
    // The last byte of the block is the last byte of the image.
    const SearchOutcome atEnd = Search(ImageWith(1000, 1000 - 68, block));
    EXPECT_EQ(atEnd.result, BLOCK_FOUND);
    EXPECT_EQ(atEnd.offset, 932u);
    // An image that is exactly one block.
    const SearchOutcome exact = Search(block);
    EXPECT_EQ(exact.result, BLOCK_FOUND);
    EXPECT_EQ(exact.offset, 0u);
}

TEST(BlockSearch, ImagesShorterThanABlockHoldNone) {
    const auto block = BlockBytes(DefaultConfigBlock());
    const std::vector<uint8_t> truncated(block.begin(), block.end() - 1);
    const SearchOutcome outcome = Search(truncated);
    EXPECT_EQ(outcome.result, BLOCK_ABSENT);
    EXPECT_EQ(outcome.message, "The file does not contain any configuration data.");
    EXPECT_EQ(Search({}).result, BLOCK_ABSENT);
}

TEST(BlockSearch, FindsABlockAtEveryOffsetAndLength) {
    // Covers every alignment of the vectorised scan and its scalar tail.
    const auto block = BlockBytes(DefaultConfigBlock());
    for (size_t length = 68; length < 68 + 40; ++length) {
        for (size_t offset = 0; offset + 68 <= length; ++offset) {
            const SearchOutcome outcome = Search(ImageWith(length, offset, block));
            ASSERT_EQ(outcome.result, BLOCK_FOUND) << length << " " << offset;
            ASSERT_EQ(outcome.offset, offset);
        }
    }
}

TEST(BlockSearch, NearMissesAreNotBlocks) {
    auto block = BlockBytes(DefaultConfigBlock());
    auto noNul = block;
    noNul[12] = '1';
    EXPECT_EQ(Search(ImageWith(200, 10, noNul)).result, BLOCK_ABSENT);

    auto badMarker = block;
    badMarker[16] = badMarker[17] = 0;
    EXPECT_EQ(Search(ImageWith(200, 10, badMarker)).result, BLOCK_ABSENT);
    // A marker that is not a byte order is skipped silently; a later block counts.
    auto image = ImageWith(300, 10, badMarker);
    std::copy(block.begin(), block.end(), image.begin() + 150);
    const SearchOutcome outcome = Search(image);
    EXPECT_EQ(outcome.result, BLOCK_FOUND);
    EXPECT_EQ(outcome.offset, 150u);

    // Identifier fragments that match the scan's probe bytes but not the rest.
    std::vector<uint8_t> decoys(4096, 0);
    for (size_t p = 0; p + 11 < decoys.size(); p += 37) {
        decoys[p] = '6';
        decoys[p + 10] = 'X';
    }
    EXPECT_EQ(Search(decoys).result, BLOCK_ABSENT);
}

TEST(BlockSearch, WrongSizeCandidates) {
    const auto block = BlockBytes(DefaultConfigBlock());
    const SearchOutcome only = Search(ImageWith(300, 20, WrongSizeBlock()));
    EXPECT_EQ(only.result, BLOCK_ERROR);
    EXPECT_EQ(only.message, "The configuration data structure size is incorrect.");

    // Before or after a valid block, a wrong-sized candidate does not matter.
    auto before = ImageWith(300, 20, WrongSizeBlock());
    std::copy(block.begin(), block.end(), before.begin() + 200);
    EXPECT_EQ(Search(before).result, BLOCK_FOUND);
    auto after = ImageWith(300, 20, block);
    const auto wrong = WrongSizeBlock();
    std::copy(wrong.begin(), wrong.end(), after.begin() + 200);
    EXPECT_EQ(Search(after).result, BLOCK_FOUND);
    EXPECT_EQ(Search(after).offset, 20u);

    // 00 44 in a little-endian block is 4400h, not a big-endian 68.
    ConfigBlock swappedSize = DefaultConfigBlock();
    swappedSize.structSize = 0x4400;
    EXPECT_EQ(Search(ImageWith(300, 20, BlockBytes(swappedSize))).result, BLOCK_ERROR);
}

TEST(BlockSearch, TwoBlocksAreAnError) {
    const auto block = BlockBytes(DefaultConfigBlock());
    auto image = ImageWith(500, 0, block);
    const auto bigEndian = BlockBytes(DefaultConfigBlock(), true);
    std::copy(bigEndian.begin(), bigEndian.end(), image.end() - 68);
    const SearchOutcome outcome = Search(image);
    EXPECT_EQ(outcome.result, BLOCK_ERROR);
    EXPECT_EQ(outcome.message, "The file contains multiple configuration data structures.");
}

TEST(BlockSearch, ABigEndianBlockIsFoundAsStored) {
    const auto bytes = BlockBytes(DefaultConfigBlock(), true);
    ConfigBlock found{};
    std::string message;
    const auto image = ImageWith(128, 30, bytes);
    ASSERT_EQ(LocateConfigBlock(image, &found, nullptr, message), BLOCK_FOUND);
    EXPECT_EQ(found.endianDetect, kEndianSwapped);
    EXPECT_EQ(BlockBytes(found), bytes);
}

TEST(BlockSearch, ReplaceWritesOnlyTheBlock) {
    const auto original = ImageWith(400, 123, BlockBytes(DefaultConfigBlock()));
    ConfigBlock changed = DefaultConfigBlock();
    changed.regs[4] = 0x4F;
    auto image = original;
    std::string message;
    ASSERT_EQ(ReplaceConfigBlock(changed, image, message), BLOCK_FOUND);
    for (size_t i = 0; i < image.size(); ++i) {
        const bool inBlock = i >= 123 && i < 123 + 68;
        if (!inBlock) {
            ASSERT_EQ(image[i], original[i]) << i;
        }
    }
    EXPECT_EQ(image[123 + 0x14 + 4], 0x4F);

    auto twoBlocks = ImageWith(400, 0, BlockBytes(DefaultConfigBlock()));
    const auto second = BlockBytes(DefaultConfigBlock());
    std::copy(second.begin(), second.end(), twoBlocks.begin() + 200);
    const auto untouched = twoBlocks;
    EXPECT_EQ(ReplaceConfigBlock(changed, twoBlocks, message), BLOCK_ERROR);
    EXPECT_EQ(twoBlocks, untouched);
}

} // namespace
} // namespace zlc

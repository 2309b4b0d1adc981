#include "files/BlockSearch.h"

#include "support/BlockImages.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::BlockBytes;
using test::ImageWith;

std::vector<uint8_t> With(std::vector<uint8_t> image, size_t offset,
                          const std::vector<uint8_t>& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return image;
}

std::vector<uint8_t> BlockOfSize(uint16_t size) {
    ConfigBlock block = DefaultConfigBlock();
    block.structSize = size;
    return BlockBytes(block);
}

// Every position up to length - 68 is a start: a block at offset 0, one whose
// last byte is the image's last byte, and an image that is exactly one block.
// The lengths also cover every alignment of the vectorised scan and its tail.
TEST(BlockSearch, FindsABlockAtEveryOffsetUpToTheLastPossible) {
    const auto block = BlockBytes(DefaultConfigBlock());
    for (size_t length = 68; length < 68 + 40; ++length) {
        for (size_t offset = 0; offset + 68 <= length; ++offset) {
            size_t found = SIZE_MAX;
            std::string message;
            ASSERT_EQ(LocateConfigBlock(ImageWith(length, offset, block), nullptr, &found, message),
                      BLOCK_FOUND)
                << length << " " << offset;
            ASSERT_EQ(found, offset);
        }
    }
}

TEST(BlockSearch, EveryOutcomeWithItsMessage) {
    const auto block = BlockBytes(DefaultConfigBlock());
    auto noNul = block;
    noNul[12] = '1';
    auto badMarker = block;
    badMarker[16] = badMarker[17] = 0;
    const char* none = "The file does not contain any configuration data.";
    const char* wrongSize = "The configuration data structure size is incorrect.";
    const struct {
        const char* name;
        std::vector<uint8_t> image;
        BlockResult result;
        size_t offsetOrZero;
        const char* message;
    } cases[] = {
        {"67 bytes of a block", {block.begin(), block.end() - 1}, BLOCK_ABSENT, 0, none},
        {"empty", {}, BLOCK_ABSENT, 0, none},
        {"identifier without its NUL", ImageWith(200, 10, noNul), BLOCK_ABSENT, 0, none},
        {"unknown marker skipped", With(ImageWith(300, 10, badMarker), 150, block), BLOCK_FOUND,
         150, nullptr},
        {"wrong size alone", ImageWith(300, 20, BlockOfSize(64)), BLOCK_ERROR, 0, wrongSize},
        // 00 44 in a little-endian block is 4400h, not a big-endian 68.
        {"size in the wrong order", ImageWith(300, 20, BlockOfSize(0x4400)), BLOCK_ERROR, 0,
         wrongSize},
        {"wrong size before a block", With(ImageWith(300, 20, BlockOfSize(64)), 200, block),
         BLOCK_FOUND, 200, nullptr},
        {"wrong size after a block", With(ImageWith(300, 20, block), 200, BlockOfSize(64)),
         BLOCK_FOUND, 20, nullptr},
        {"two blocks, one big-endian",
         With(ImageWith(500, 0, block), 432, BlockBytes(DefaultConfigBlock(), true)), BLOCK_ERROR,
         0, "The file contains multiple configuration data structures."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        size_t offset = SIZE_MAX;
        std::string message;
        EXPECT_EQ(LocateConfigBlock(c.image, nullptr, &offset, message), c.result);
        if (c.result == BLOCK_FOUND) {
            EXPECT_EQ(offset, c.offsetOrZero);
        } else {
            EXPECT_EQ(message, c.message);
        }
    }
}

} // namespace
} // namespace zlc

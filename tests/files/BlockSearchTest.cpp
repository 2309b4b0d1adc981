#include "files/BlockSearch.h"

#include "cases/CaseFile.h"
#include "files/ContainerHandlers.h"
#include "support/BlockImages.h"
#include "support/OnDisk.h"

#include <gtest/gtest.h>
#include <map>

namespace zlc {
namespace {

using test::BlockBytes;
using test::ImageWith;

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

std::vector<uint8_t> BlockOfKind(const std::string& kind) {
    ConfigBlock block = DefaultConfigBlock();
    if (kind.starts_with("size-")) {
        block.structSize = static_cast<uint16_t>(std::stoul(kind.substr(5), nullptr, 0));
    }
    std::vector<uint8_t> bytes = BlockBytes(block, kind == "big-endian");
    if (kind == "no-nul") {
        bytes[12] = '1';
    } else if (kind == "bad-marker") {
        bytes[16] = bytes[17] = 0;
    }
    return bytes;
}

// The image a case of tests/data/files/block-search.txt describes.
std::vector<uint8_t> CaseImage(const test::Case& c) {
    std::vector<uint8_t> image(static_cast<size_t>(c.Number("length")), 0xA5);
    for (const std::string& part : test::Split(c.Or("blocks", ""), ' ')) {
        const size_t at = std::stoul(part.substr(0, part.find(':')));
        const std::vector<uint8_t> bytes = BlockOfKind(part.substr(part.find(':') + 1));
        std::copy_n(bytes.begin(), std::min(bytes.size(), image.size() - at), image.begin() + at);
    }
    return image;
}

class BlockSearchCase : public ::testing::TestWithParam<test::Case> {};

TEST_P(BlockSearchCase, GivesTheOutcomeWithItsOffsetOrMessage) {
    const test::Case& c = GetParam();
    const std::map<std::string, BlockResult> results = {
        {"found", BLOCK_FOUND}, {"absent", BLOCK_ABSENT}, {"error", BLOCK_ERROR}};
    size_t offset = SIZE_MAX;
    std::string message;
    EXPECT_EQ(LocateConfigBlock(CaseImage(c), nullptr, &offset, message), results.at(c["result"]));
    EXPECT_EQ(std::to_string(offset), c.Or("offset", std::to_string(offset)));
    EXPECT_EQ(message, c.Or("message", message));
    // A file read a piece at a time gives the same answer wherever the
    // pieces end.
    const test::OnDisk file(CaseImage(c));
    for (const size_t pieceSize : test::kPieceSizes) {
        uint64_t fromFile = SIZE_MAX;
        std::string fileMessage;
        EXPECT_EQ(LocateConfigBlockInFile(file.file, file.size, nullptr, &fromFile, fileMessage,
                                          pieceSize),
                  results.at(c["result"]))
            << pieceSize;
        EXPECT_EQ(fileMessage, message) << pieceSize;
        if (c.Has("offset")) {
            EXPECT_EQ(fromFile, offset) << pieceSize;
        }
    }
}

ZLC_CASES(BlockSearchCase, "files/block-search.txt");

} // namespace
} // namespace zlc

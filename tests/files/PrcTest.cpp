#include "files/DocumentImage.h"
#include "files/PrcHandler.h"
#include "support/BlockImages.h"
#include "support/PrcImages.h"

#include <gtest/gtest.h>
#include <random>

namespace zlc {
namespace {

using test::DataResource;
using test::LiteralStream;
using test::PrcDatabase;

// A stream that decompresses to nothing.
const std::vector<uint8_t> kEnd = {0x00};

std::vector<uint8_t> Compressed(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> out;
    CompressPrcStream(bytes, out);
    return out;
}

std::vector<uint8_t> Decompressed(const std::vector<uint8_t>& stream, bool& ok) {
    std::vector<uint8_t> out;
    size_t pos = 0;
    ok = DecompressPrcStream(stream, pos, out) && pos == stream.size();
    return out;
}

// Block bytes preceded and followed by filler that compresses into every kind
// of code, as the data of a real program would.
std::vector<uint8_t> BlockPayload(const ConfigBlock& block = DefaultConfigBlock()) {
    std::vector<uint8_t> payload = {0xA9, 0xF0, 0x00, 0x00, 0x10, 0x20, 0x00, 0x30, 1, 2, 3};
    payload.insert(payload.end(), 20, 0x00);
    const std::vector<uint8_t> bytes = test::BlockBytes(block);
    payload.insert(payload.end(), bytes.begin(), bytes.end());
    payload.insert(payload.end(), {0, 0, 0, 0, 0xFF, 0xFF, 0x12, 0x34, 7, 7, 7, 7});
    return payload;
}

ConfigBlock ChangedBlock() {
    ConfigBlock block = DefaultConfigBlock();
    block.regs[4] = 0x4F;
    return block;
}

BlockResult Write(std::vector<uint8_t>& image, const ConfigBlock& block, std::string& message,
                  size_t capacity = SIZE_MAX) {
    ImagePatch patch;
    const BlockResult result = PrcWriteBlock(block, image, capacity, patch, message);
    if (result == BLOCK_FOUND) {
        ApplyPatch(image, patch);
    }
    return result;
}

TEST(PrcCompression, GroupsRunsAndLiteralsUseTheirCodes) {
    const struct {
        std::vector<uint8_t> in;
        std::vector<uint8_t> out;
    } cases[] = {
        {{0, 0, 0, 0, 0xFF, 0xFF, 0x12, 0x34}, {0x01, 0x12, 0x34, 0x00}},
        {{0, 0, 0, 0, 0xFF, 0x55, 0x12, 0x34}, {0x02, 0x55, 0x12, 0x34, 0x00}},
        {{0xA9, 0xF0, 0, 0, 0x12, 0x34, 0, 0x56}, {0x03, 0x12, 0x34, 0x56, 0x00}},
        {{0xA9, 0xF0, 0, 0x11, 0x12, 0x34, 0, 0x56}, {0x04, 0x11, 0x12, 0x34, 0x56, 0x00}},
        // An A9 F0 00 start without the zero at byte 6 is no group.
        {{0xA9, 0xF0, 0, 0x11, 0x12, 0x34, 9, 0x56},
         {0x87, 0xA9, 0xF0, 0, 0x11, 0x12, 0x34, 9, 0x56, 0x00}},
        {{0, 0}, {0x41, 0x00}},
        {{0xFF, 0xFF}, {0x11, 0x00}},
        {{5, 5}, {0x81, 5, 5, 0x00}},
        {{5, 5, 5}, {0x21, 5, 0x00}},
        {{1, 2, 0, 0, 0, 3}, {0x81, 1, 2, 0x42, 0x80, 3, 0x00}},
        {{}, {0x00}},
        // Runs are cut at each code's limit; the rest starts afresh.
        {std::vector<uint8_t>(65, 0x00), {0x7F, 0x80, 0x00, 0x00}},
        {std::vector<uint8_t>(17, 0xFF), {0x1F, 0x80, 0xFF, 0x00}},
        {std::vector<uint8_t>(34, 7), {0x3F, 7, 0x80, 7, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compressed(c.in), c.out);
    }
}

TEST(PrcCompression, DecompressingWhatWasCompressedGivesTheBytesBack) {
    std::mt19937 random(62740);
    for (int round = 0; round < 200; ++round) {
        // Few distinct values, so that runs and groups turn up often.
        const uint8_t alphabet[] = {0x00, 0xFF, 0xA9, 0xF0, 0x12, 0x34};
        std::vector<uint8_t> bytes(random() % 3000);
        for (uint8_t& b : bytes) {
            b = alphabet[random() % sizeof alphabet];
        }
        bool ok = false;
        EXPECT_EQ(Decompressed(Compressed(bytes), ok), bytes);
        EXPECT_TRUE(ok);
    }
}

TEST(PrcCompression, DamagedStreamsAreRefused) {
    bool ok = true;
    Decompressed({0x83, 1, 2}, ok); // literals cut short, no end code
    EXPECT_FALSE(ok);
    Decompressed({0x41}, ok); // no end code
    EXPECT_FALSE(ok);
    Decompressed({0x05, 0x00}, ok);
    EXPECT_FALSE(ok);
    Decompressed({0x04, 1, 2}, ok);
    EXPECT_FALSE(ok);
    // 1025 runs of 64 zeros: one byte over the limit of a block.
    std::vector<uint8_t> tooLong(1024, 0x7F);
    tooLong.push_back(0x40);
    tooLong.push_back(0x00);
    Decompressed(tooLong, ok);
    EXPECT_FALSE(ok);
    tooLong.erase(tooLong.end() - 2);
    EXPECT_EQ(Decompressed(tooLong, ok).size(), 65536u);
    EXPECT_TRUE(ok);
}

TEST(PrcRead, OnlyApplicationAndHackDatabasesAreTaken) {
    const std::vector<uint8_t> data = DataResource({Compressed(BlockPayload()), kEnd, kEnd});
    std::string message;
    for (const char* type : {"appl", "HACK"}) {
        EXPECT_EQ(PrcReadBlock(PrcDatabase(type, {{"data", 0, data}}), nullptr, message),
                  BLOCK_FOUND);
    }
    const std::vector<uint8_t> library = PrcDatabase("libr", {{"code", 0, {1, 2}}});
    EXPECT_EQ(PrcReadBlock(library, nullptr, message), BLOCK_ABSENT);
    // Handed on through the chain, it ends as a file without configuration.
    ConfigDocument doc;
    EXPECT_FALSE(LoadFromImage(doc, library, message));
    EXPECT_EQ(message, kMessageNoConfigData);
    // Too short for the type or the resource count: not a database.
    std::vector<uint8_t> header = PrcDatabase("appl", {});
    for (const size_t length : {size_t{40}, size_t{63}, size_t{77}}) {
        EXPECT_EQ(PrcReadBlock(std::span(header).first(length), nullptr, message), BLOCK_ABSENT);
    }
}

TEST(PrcRead, DataResourceIsTheFirstLowerCaseDataEntry) {
    std::string message;
    const std::vector<uint8_t> data = DataResource({Compressed(BlockPayload()), kEnd, kEnd});
    EXPECT_EQ(PrcReadBlock(PrcDatabase("appl", {{"DATA", 0, data}}), nullptr, message),
              BLOCK_ERROR);
    EXPECT_EQ(message, kMessageNoDataResource);
    EXPECT_EQ(PrcReadBlock(PrcDatabase("appl", {}), nullptr, message), BLOCK_ERROR);
    EXPECT_EQ(message, kMessageNoDataResource);
    // Any ID; a second data resource is not looked at.
    const std::vector<uint8_t> empty = DataResource({kEnd, kEnd, kEnd});
    EXPECT_EQ(PrcReadBlock(PrcDatabase("appl", {{"data", 7, data}, {"data", 0, empty}}), nullptr,
                           message),
              BLOCK_FOUND);
}

TEST(PrcRead, SearchStopsAtTheFirstBlockThatAnswers) {
    const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
    std::vector<uint8_t> twice = block;
    twice.insert(twice.end(), block.begin(), block.end());
    std::string message;
    EXPECT_EQ(PrcReadBlock(
                  PrcDatabase("appl", {{"data", 0, DataResource({Compressed(twice), kEnd, kEnd})}}),
                  nullptr, message),
              BLOCK_ERROR);
    EXPECT_EQ(message, kMessageMultipleBlocks);
    // A copy in a later block goes unnoticed; one in block 1 alone is found.
    EXPECT_EQ(
        PrcReadBlock(
            PrcDatabase("appl",
                        {{"data", 0, DataResource({Compressed(block), Compressed(block), kEnd})}}),
            nullptr, message),
        BLOCK_FOUND);
    EXPECT_EQ(PrcReadBlock(
                  PrcDatabase("appl", {{"data", 0, DataResource({kEnd, Compressed(block), kEnd})}}),
                  nullptr, message),
              BLOCK_FOUND);
}

TEST(PrcRead, HostileLayoutsCannotBeDecoded) {
    const std::vector<uint8_t> data = DataResource({Compressed(BlockPayload()), kEnd, kEnd});
    const std::vector<uint8_t> good =
        PrcDatabase("appl", {{"code", 1, {1, 2, 3}}, {"data", 0, data}, {"tAIN", 0, {9}}});
    std::vector<std::pair<const char*, std::vector<uint8_t>>> cases;
    auto variant = [&](const char* name, auto change) {
        std::vector<uint8_t> image = good;
        change(image);
        cases.emplace_back(name, image);
    };
    variant("list beyond the file", [](auto& i) { i.resize(78 + 25); });
    variant("count far too large", [](auto& i) { i[76] = 0xFF; });
    variant("offset beyond the file",
            [](auto& i) { test::PutBE32(i, 78 + 10 + 6, static_cast<uint32_t>(i.size() + 1)); });
    variant("offsets out of order",
            [](auto& i) { test::PutBE32(i, 78 + 6, test::GetBE32(i, 78 + 26)); });
    variant("offset into the list", [](auto& i) { test::PutBE32(i, 78 + 6, 80); });
    variant("stream without its end", [&](auto& i) { i.resize(i.size() - 1 - 3 - 4 - 1 - 4 - 1); });
    variant("invalid code", [&](auto& i) {
        const size_t at = test::GetBE32(i, 78 + 16) + 8;
        i[at] = 0x07;
    });
    variant("resource shorter than the first word",
            [&](auto& i) { test::PutBE32(i, 78 + 26, test::GetBE32(i, 78 + 16) + 3); });
    std::vector<uint8_t> huge(1025, 0x7F);
    huge.push_back(0x00);
    cases.emplace_back("block over 65536 bytes",
                       PrcDatabase("appl", {{"data", 0, DataResource({huge, kEnd, kEnd})}}));
    for (const auto& [name, image] : cases) {
        SCOPED_TRACE(name);
        std::string message;
        EXPECT_EQ(PrcReadBlock(image, nullptr, message), BLOCK_ERROR);
        EXPECT_EQ(message, kMessagePrcCannotDecode);
    }
}

class PrcWrite : public ::testing::TestWithParam<size_t> {};

// The data resource first, in the middle and last; its new length differs
// from the old one (the fixtures hold literal-only streams, which the writer
// compresses better), so everything behind it moves.
TEST_P(PrcWrite, ResourcesBehindTheDataMoveAndKeepTheirBytes) {
    const size_t dataIndex = GetParam();
    std::vector<test::PrcResource> resources = {{"code", 1, std::vector<uint8_t>(33, 0xC0)},
                                                {"tAIN", 1000, {'A', 'p', 'p', 0}},
                                                {"tver", 1, {'1', '.', '0', 0}}};
    const std::vector<uint8_t> data = DataResource(
        {LiteralStream(BlockPayload()), LiteralStream({1, 1, 1, 1}), kEnd}, {0xDE, 0xAD}, 0x1000);
    resources.insert(resources.begin() + static_cast<std::ptrdiff_t>(dataIndex), {"data", 0, data});
    const std::vector<uint8_t> original = PrcDatabase("HACK", resources);
    std::vector<uint8_t> image = original;
    std::string message;
    ASSERT_EQ(Write(image, ChangedBlock(), message), BLOCK_FOUND) << message;

    const std::vector<uint8_t> resource = test::ResourceBytes(image, dataIndex);
    const auto delta = static_cast<int64_t>(resource.size()) - static_cast<int64_t>(data.size());
    EXPECT_LT(delta, 0);
    EXPECT_EQ(static_cast<int64_t>(image.size()), static_cast<int64_t>(original.size()) + delta);
    EXPECT_EQ(test::GetBE32(resource, 0), static_cast<uint32_t>(0x1000 + delta));
    EXPECT_EQ(test::DecodedBlock(resource, 0), BlockPayload(ChangedBlock()));
    EXPECT_EQ(test::DecodedBlock(resource, 1), (std::vector<uint8_t>{1, 1, 1, 1}));
    EXPECT_EQ(test::GetBE32(resource, 4), 0x20u) << "block offsets stay";
    EXPECT_EQ(std::vector<uint8_t>(resource.end() - 2, resource.end()),
              (std::vector<uint8_t>{0xDE, 0xAD}));
    for (size_t i = 0; i < resources.size(); ++i) {
        if (i == dataIndex) {
            continue;
        }
        EXPECT_EQ(test::ResourceBytes(image, i), resources[i].bytes) << "resource " << i;
        const int64_t shift = i > dataIndex ? delta : 0;
        EXPECT_EQ(static_cast<int64_t>(test::GetBE32(image, 78 + 10 * i + 6)),
                  static_cast<int64_t>(test::GetBE32(original, 78 + 10 * i + 6)) + shift);
    }
    // Written again, the resource is already compressed as the writer does it.
    std::vector<uint8_t> again = image;
    ASSERT_EQ(Write(again, ChangedBlock(), message), BLOCK_FOUND);
    EXPECT_EQ(again, image);
}

INSTANTIATE_TEST_SUITE_P(DataResourcePosition, PrcWrite, ::testing::Values(0, 2, 3));

TEST(PrcWriteLimits, GrowingResourceAndTheLimitOfItsLength) {
    // A block of zero registers compresses into a run; registers that all
    // differ do not, so the resource grows.
    ConfigBlock zeros = DefaultConfigBlock();
    std::fill(std::begin(zeros.regs), std::end(zeros.regs), 0);
    ConfigBlock distinct = DefaultConfigBlock();
    for (size_t i = 0; i < kRegisterCount; ++i) {
        distinct.regs[i] = static_cast<uint8_t>(0x40 + i);
    }
    const std::vector<uint8_t> original = PrcDatabase(
        "appl", {{"data", 0, DataResource({Compressed(BlockPayload(zeros)), kEnd, kEnd})},
                 {"code", 1, {5}}});
    std::vector<uint8_t> image = original;
    std::string message;
    ASSERT_EQ(Write(image, distinct, message), BLOCK_FOUND) << message;
    EXPECT_GT(image.size(), original.size());
    EXPECT_EQ(test::DecodedBlock(test::ResourceBytes(image, 0), 0), BlockPayload(distinct));
    EXPECT_EQ(test::ResourceBytes(image, 1), (std::vector<uint8_t>{5}));

    // A block of random bytes compresses to more than 65536 bytes.
    const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
    std::mt19937 random(1);
    std::vector<uint8_t> noise(65536 - block.size());
    for (uint8_t& b : noise) {
        b = static_cast<uint8_t>(random());
    }
    std::vector<uint8_t> big = block;
    big.insert(big.end(), noise.begin(), noise.end());
    std::vector<uint8_t> tooBig =
        PrcDatabase("appl", {{"data", 0, DataResource({LiteralStream(big), kEnd, kEnd})}});
    const std::vector<uint8_t> before = tooBig;
    EXPECT_EQ(Write(tooBig, ChangedBlock(), message), BLOCK_ERROR);
    EXPECT_EQ(message, kMessagePrcResourceTooLong);
    EXPECT_EQ(tooBig, before);
}

} // namespace
} // namespace zlc

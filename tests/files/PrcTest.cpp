#include "cases/CaseFile.h"
#include "files/PrcHandler.h"
#include "support/BlockImages.h"
#include "support/OnDisk.h"
#include "support/PrcImages.h"

#include <gtest/gtest.h>
#include <random> // for the noise of an oversized block

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

BlockResult Write(std::vector<uint8_t>& image, const ConfigBlock& block, std::string& message) {
    ImagePatch patch;
    const BlockResult result = PrcWriteBlock(block, image, SIZE_MAX, patch, message);
    if (result == BLOCK_FOUND) {
        ApplyPatch(image, patch);
    }
    return result;
}

std::vector<uint8_t> Bytes(const test::Case& c, const std::string& key) {
    const std::vector<long> numbers = c.Numbers(key);
    return {numbers.begin(), numbers.end()};
}

class PrcCompression : public ::testing::TestWithParam<test::Case> {};

TEST_P(PrcCompression, EncodesAndDecodesAsDefined) {
    bool ok = false;
    if (GetParam().Has("damaged")) {
        Decompressed(Bytes(GetParam(), "damaged"), ok);
        EXPECT_FALSE(ok);
        return;
    }
    const std::vector<uint8_t> plain = Bytes(GetParam(), "plain");
    EXPECT_EQ(Compressed(plain), Bytes(GetParam(), "stream"));
    EXPECT_EQ(Decompressed(Bytes(GetParam(), "stream"), ok), plain);
    EXPECT_TRUE(ok);
}

ZLC_CASES(PrcCompression, "files/prc-codes.txt");

// 1024 runs of 64 zeros fill a block exactly; one zero more is too many.
TEST(PrcCompressionLimit, ABlockHoldsAtMost65536Bytes) {
    std::vector<uint8_t> full(1024, 0x7F);
    full.push_back(0x00);
    bool ok = false;
    EXPECT_EQ(Decompressed(full, ok).size(), 65536u);
    EXPECT_TRUE(ok);
    full.insert(full.end() - 1, 0x40);
    Decompressed(full, ok);
    EXPECT_FALSE(ok);
}

void ExpectRead(const char* name, const std::vector<uint8_t>& image, BlockResult result,
                const char* message = nullptr) {
    SCOPED_TRACE(name);
    std::string text;
    EXPECT_EQ(PrcReadBlock(image, nullptr, text), result);
    if (message != nullptr) {
        EXPECT_EQ(text, message);
    }
    // From a file, which is read only as far as the compressed blocks go.
    const test::OnDisk file(image);
    std::string fileText;
    EXPECT_EQ(PrcReadFile(file.file, file.size, nullptr, fileText), result);
    EXPECT_EQ(fileText, text);
}

TEST(PrcRead, EveryOutcomeWithItsMessage) {
    const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
    std::vector<uint8_t> twice = block;
    twice.insert(twice.end(), block.begin(), block.end());
    const std::vector<uint8_t> data = DataResource({Compressed(BlockPayload()), kEnd, kEnd});
    const auto withData = [](const std::array<std::vector<uint8_t>, 3>& streams) {
        return PrcDatabase("appl", {{"data", 0, DataResource(streams)}});
    };
    const std::vector<uint8_t> header = PrcDatabase("appl", {});
    const char* noData = "The PRC file does not contain a DATA resource.";

    ExpectRead("appl", PrcDatabase("appl", {{"data", 0, data}}), BLOCK_FOUND);
    ExpectRead("HACK", PrcDatabase("HACK", {{"data", 0, data}}), BLOCK_FOUND);
    // Not a database the program configures: the next handler is tried.
    ExpectRead("libr", PrcDatabase("libr", {{"data", 0, data}}), BLOCK_ABSENT);
    ExpectRead("short of the count", {header.begin(), header.begin() + 77}, BLOCK_ABSENT);
    ExpectRead("no resources", header, BLOCK_ERROR, noData);
    ExpectRead("DATA is not data", PrcDatabase("appl", {{"DATA", 0, data}}), BLOCK_ERROR, noData);
    // Any ID; a second data resource is not looked at.
    ExpectRead(
        "first data resource",
        PrcDatabase("appl", {{"data", 7, data}, {"data", 0, DataResource({kEnd, kEnd, kEnd})}}),
        BLOCK_FOUND);
    ExpectRead("two in one block", withData({Compressed(twice), kEnd, kEnd}), BLOCK_ERROR,
               "The file contains multiple configuration data structures.");
    // The search stops at the first block that answers.
    ExpectRead("copy in a later block", withData({Compressed(block), Compressed(block), kEnd}),
               BLOCK_FOUND);
    ExpectRead("in the second block", withData({kEnd, Compressed(block), kEnd}), BLOCK_FOUND);
    std::vector<uint8_t> longTrailing = data;
    longTrailing.resize(data.size() + kPrcResourceReadLimit, 0x42);
    ExpectRead("trailing data longer than the blocks can be",
               PrcDatabase("appl", {{"data", 0, longTrailing}}), BLOCK_FOUND);

    // Hostile layouts: nothing of the file is trusted.
    const char* cannotDecode = "The PRC file cannot be successfully decoded.";
    const std::vector<uint8_t> good =
        PrcDatabase("appl", {{"code", 1, {1, 2, 3}}, {"data", 0, data}, {"tAIN", 0, {9}}});
    const auto hostile = [&](const char* name, auto change) {
        std::vector<uint8_t> image = good;
        change(image);
        ExpectRead(name, image, BLOCK_ERROR, cannotDecode);
    };
    using Image = std::vector<uint8_t>;
    hostile("list beyond the file", [](Image& i) { i.resize(78 + 25); });
    hostile("offset beyond the file", [](Image& i) { test::PutBE32(i, 94, i.size() + 1); });
    hostile("offsets out of order", [](Image& i) { test::PutBE32(i, 84, test::GetBE32(i, 104)); });
    hostile("offset into the list", [](Image& i) { test::PutBE32(i, 84, 80); });
    hostile("invalid code", [](Image& i) { i[test::GetBE32(i, 94) + 8] = 0x07; });
    hostile("resource shorter than its first word",
            [](Image& i) { test::PutBE32(i, 104, test::GetBE32(i, 94) + 3); });
    // The resource ends one byte before the end code of its first stream.
    std::vector<uint8_t> cut = data;
    cut.resize(8 + Compressed(BlockPayload()).size() - 1);
    ExpectRead("stream without its end", PrcDatabase("appl", {{"data", 0, cut}}), BLOCK_ERROR,
               cannotDecode);
}

class PrcWrite : public ::testing::TestWithParam<size_t> {};

// The data resource first, in the middle and last. Its literal-only streams
// recompress shorter, so the first word and everything behind it move; the
// block offsets, the trailing bytes and the other resources stay.
TEST_P(PrcWrite, RecompressesTheDataAndMovesWhatFollows) {
    const auto withData = [](const std::vector<uint8_t>& data) {
        std::vector<test::PrcResource> resources = {{"code", 1, std::vector<uint8_t>(33, 0xC0)},
                                                    {"tAIN", 1000, {'A', 'p', 'p', 0}},
                                                    {"tver", 1, {'1', '.', '0', 0}}};
        resources.insert(resources.begin() + static_cast<std::ptrdiff_t>(GetParam()),
                         {"data", 0, data});
        return PrcDatabase("HACK", resources);
    };
    const std::vector<uint8_t> data = DataResource(
        {LiteralStream(BlockPayload()), LiteralStream({1, 1, 1, 1}), kEnd}, {0xDE, 0xAD}, 0x1000);
    std::vector<uint8_t> image = withData(data);
    std::string message;
    ASSERT_EQ(Write(image, ChangedBlock(), message), BLOCK_FOUND) << message;

    std::vector<uint8_t> rewritten = DataResource(
        {Compressed(BlockPayload(ChangedBlock())), Compressed({1, 1, 1, 1}), kEnd}, {0xDE, 0xAD});
    ASSERT_LT(rewritten.size(), data.size());
    test::PutBE32(rewritten, 0, static_cast<uint32_t>(0x1000 + rewritten.size() - data.size()));
    EXPECT_EQ(image, withData(rewritten));
}

INSTANTIATE_TEST_SUITE_P(DataResourcePosition, PrcWrite, ::testing::Values(0, 2, 3));

// A block of random bytes compresses to more than 65536 bytes.
TEST(PrcWriteLimits, ResourceLongerThanItsLengthCanHoldIsRefused) {
    const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
    std::mt19937 random(1);
    std::vector<uint8_t> big = block;
    big.resize(65536);
    std::generate(big.begin() + 68, big.end(), [&] { return static_cast<uint8_t>(random()); });
    std::vector<uint8_t> tooBig =
        PrcDatabase("appl", {{"data", 0, DataResource({LiteralStream(big), kEnd, kEnd})}});
    const std::vector<uint8_t> before = tooBig;
    std::string message;
    EXPECT_EQ(Write(tooBig, ChangedBlock(), message), BLOCK_ERROR);
    EXPECT_EQ(message, kMessagePrcResourceTooLong);
    EXPECT_EQ(tooBig, before);
}

} // namespace
} // namespace zlc

#include "files/DocumentImage.h"
#include "files/SRecordHandler.h"
#include "support/BlockImages.h"
#include "support/SRecordText.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::SRecord;
using test::SRecordFile;

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

ConfigBlock BlockWithReg4(uint8_t value) {
    ConfigBlock block = DefaultConfigBlock();
    block.regs[4] = value;
    return block;
}

// Data bytes with a block at `offset`.
std::vector<uint8_t> DataWithBlock(size_t length = 160, size_t offset = 40,
                                   const ConfigBlock& block = DefaultConfigBlock()) {
    return test::ImageWith(length, offset, test::BlockBytes(block), 0x5A);
}

// Rewrites `text` with `block`; on failure `text` stays as it was.
BlockResult Rewrite(std::string& text, const ConfigBlock& block, std::string& message,
                    size_t capacity = SIZE_MAX) {
    std::vector<uint8_t> image = Bytes(text);
    ImagePatch patch;
    const BlockResult result = SRecordWriteBlock(block, image, capacity, patch, message);
    if (result == BLOCK_FOUND) {
        ApplyPatch(image, patch);
        text.assign(image.begin(), image.end());
    }
    return result;
}

// Damaged text never reads beyond the image and never passes for good data.
TEST(SRecordRead, EveryOutcomeWithItsMessage) {
    const std::string good = SRecordFile(DataWithBlock()); // 10 S1 records, CR LF
    const size_t firstData = good.find("\nS1") + 1;
    const size_t terminator = good.rfind("S9");
    const auto inserted = [&](size_t at, const std::string& text) {
        std::string copy = good;
        return copy.insert(at, text);
    };
    const auto replaced = [&](size_t at, char c) {
        std::string copy = good;
        copy[at] = c;
        return copy;
    };
    const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
    const std::string s9 = SRecord('9', 0, {}) + "\n";
    const size_t checksumDigit = good.find("\r\n", firstData) - 1;
    const char* corrupted = "This S-Record file contains corrupted information.";
    const char* none = "The file does not contain any configuration data.";
    const struct {
        const char* name;
        std::string text;
        BlockResult result;
        const char* message;
    } cases[] = {
        // Each of these would be found if it were taken for S-record text.
        {"two S lines", SRecord('1', 0, block) + "\n" + s9, BLOCK_ABSENT, none},
        {"no S1, S2 or S3 line", SRecord('0', 0, block) + "\n" + SRecord('0', 0, {}) + "\n" + s9,
         BLOCK_ABSENT, none},
        {"control character", inserted(terminator, "\x01\r\n"), BLOCK_ABSENT, none},
        {"non-ASCII byte", inserted(terminator, "\xC3\xA9\r\n"), BLOCK_ABSENT, none},
        {"tab and NUL are text", inserted(terminator, std::string("\t# tab\r\n") + '\0'),
         BLOCK_FOUND, nullptr},
        {"a kept line far longer than a record", inserted(0, std::string(100000, 'c') + "\r\n"),
         BLOCK_FOUND, nullptr},
        {"bad checksum", replaced(checksumDigit, good[checksumDigit] == '0' ? '1' : '0'),
         BLOCK_ERROR, corrupted},
        {"right record count", inserted(terminator, SRecord('5', 10, {}) + "\r\n"), BLOCK_FOUND,
         nullptr},
        {"wrong record count", inserted(terminator, SRecord('5', 9, {}) + "\r\n"), BLOCK_ERROR,
         "The file contains an invalid record count."},
        {"last record cut short", good.substr(0, terminator - 7), BLOCK_ERROR, corrupted},
        {"bare type at the end", good + "S1", BLOCK_ERROR, corrupted},
        {"not a hex digit", replaced(firstData + 10, 'G'), BLOCK_ERROR, corrupted},
        {"count below address bytes + 1", inserted(firstData, "S10201FC\r\n"), BLOCK_ERROR,
         corrupted},
        {"terminator with a byte too many", good.substr(0, terminator) + "S9040000FB\r\n",
         BLOCK_ERROR, corrupted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message;
        ConfigBlock found{};
        EXPECT_EQ(SRecordReadBlock(Bytes(c.text), &found, message), c.result);
        if (c.message != nullptr) {
            EXPECT_EQ(message, c.message);
        }
    }
}

// The text is rebuilt as it was, with the new bytes and fresh checksums, for
// every address size: kept lines stay, blank lines after the first line end
// go, digits come out in upper case. The block spans five records.
TEST(SRecordWrite, RebuildsTheSameLayout) {
    for (const char type : {'1', '2', '3'}) {
        SCOPED_TRACE(type);
        const test::SRecordLayout layout{type, 16, 0xABC0, type == '2' ? "\n" : "\r\n"};
        const auto withComment = [&](std::string text) {
            return text.insert(text.find('S', 1), "; built by hand" + layout.lineEnd);
        };
        std::string text = withComment(SRecordFile(DataWithBlock(), layout));
        for (char& c : text) {
            c = static_cast<char>(c >= 'A' && c <= 'F' ? c + 32 : c);
        }
        text.insert(text.rfind('S'), layout.lineEnd + layout.lineEnd); // before the terminator
        std::string message;
        ASSERT_EQ(Rewrite(text, BlockWithReg4(0x4F), message), BLOCK_FOUND) << message;
        EXPECT_EQ(text,
                  withComment(SRecordFile(DataWithBlock(160, 40, BlockWithReg4(0x4F)), layout)));
    }
}

// The first run of line-end characters, however long, ends every line; the
// growth that causes is allowed up to the reserve and refused beyond it.
TEST(SRecordWrite, LineEndRunIsRepeatedWholeUpToTheGrowthReserve) {
    std::string run = SRecordFile(DataWithBlock(), {'1', 16, 0, "\n"});
    run.insert(run.find('\n'), std::string(11, '\n'));
    std::string message;
    ASSERT_EQ(Rewrite(run, BlockWithReg4(0x27), message), BLOCK_FOUND) << message;
    EXPECT_NE(run.find(std::string(12, '\n') + "S9"), std::string::npos);

    // 40000 one-byte records: each extra character of the run adds 40000.
    std::string text = SRecordFile(DataWithBlock(40000, 100), {'1', 1, 0, "\n"});
    text.insert(text.find('\n'), "\n");
    std::string grown = text;
    EXPECT_EQ(Rewrite(grown, BlockWithReg4(1), message, text.size() + 65536), BLOCK_FOUND);
    text.insert(text.find('\n'), "\n");
    grown = text;
    EXPECT_EQ(Rewrite(grown, BlockWithReg4(1), message, text.size() + 65536), BLOCK_ERROR);
    EXPECT_EQ(message,
              "The rewritten file would be more than 65536 bytes longer than the original.");
    EXPECT_EQ(grown, text);
}

TEST(SRecordWrite, RefusesToChangeBlockBytesHeldInCommentText) {
    // Block bytes 30..35 are printable and stand in a line of their own, which
    // is copied as text; they must not change there.
    ConfigBlock block = DefaultConfigBlock();
    std::copy_n("ABCDEF", 6, block.regs + 10);
    const std::vector<uint8_t> bytes = test::BlockBytes(block);
    std::string text = SRecord('0', 0, {}) + "\n" +
                       SRecord('1', 0, {bytes.begin(), bytes.begin() + 30}) + "\nABCDEF\n" +
                       SRecord('1', 0x24, {bytes.begin() + 36, bytes.end()}) + "\n" +
                       SRecord('9', 0, {}) + "\n";
    std::string message;
    EXPECT_EQ(Rewrite(text, block, message), BLOCK_FOUND) << "an unchanged block is fine";
    block.regs[11] = '\n';
    EXPECT_EQ(Rewrite(text, block, message), BLOCK_ERROR);
    EXPECT_EQ(message, kMessageSRecordCorrupted);
}

} // namespace
} // namespace zlc

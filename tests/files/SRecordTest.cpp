#include "files/DocumentImage.h"
#include "files/SRecordHandler.h"
#include "support/BlockImages.h"
#include "support/SRecordText.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// Data bytes with the default block at `offset`.
std::vector<uint8_t> DataWithBlock(size_t length = 160, size_t offset = 40) {
    return test::ImageWith(length, offset, test::BlockBytes(DefaultConfigBlock()), 0x5A);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

BlockResult Read(const std::string& text, std::string& message) {
    ConfigBlock block{};
    return SRecordReadBlock(Bytes(text), &block, message);
}

// Rewrites `text` with a block whose REG[04h] is `value`.
BlockResult Rewrite(std::string& text, uint8_t value, std::string& message,
                    size_t capacity = SIZE_MAX) {
    ConfigBlock block = DefaultConfigBlock();
    block.regs[4] = value;
    std::vector<uint8_t> image = Bytes(text);
    ImagePatch patch;
    const BlockResult result = SRecordWriteBlock(block, image, capacity, patch, message);
    if (result == BLOCK_FOUND) {
        ApplyPatch(image, patch);
        text = Text(image);
    }
    return result;
}

TEST(SRecordRecognition, NeedsThreeSLinesOneOfThemData) {
    const std::string s0 = test::SRecord('0', 0, {'h', 'i'}) + "\n";
    const std::string s1 = test::SRecord('1', 0, {1, 2, 3}) + "\n";
    const std::string s9 = test::SRecord('9', 0, {}) + "\n";
    std::string message;
    EXPECT_EQ(Read(s0 + s9, message), BLOCK_ABSENT);
    EXPECT_EQ(message, kMessageNoConfigData);
    EXPECT_EQ(Read(s0 + s0 + s9, message), BLOCK_ABSENT) << "no data record";
    EXPECT_TRUE(LooksLikeSRecordText(Bytes(s0 + s1 + s9)));
    EXPECT_FALSE(LooksLikeSRecordText(Bytes(s0 + s1 + "\x01" + s9))) << "control character";
    EXPECT_FALSE(LooksLikeSRecordText(Bytes(s0 + s1 + "\xC3\xA9" + s9))) << "non-ASCII byte";
    EXPECT_TRUE(LooksLikeSRecordText(Bytes(s0 + "\t# tab\n" + s1 + std::string(1, '\0') + s9)));
}

TEST(SRecordRead, FindsBlockSplitOverRecordsOfEveryAddressSize) {
    for (const char type : {'1', '2', '3'}) {
        SCOPED_TRACE(type);
        std::string message;
        ConfigBlock block{};
        const std::string text = test::SRecordFile(DataWithBlock(), {type, 16, 0x1000, "\r\n"});
        EXPECT_EQ(SRecordReadBlock(Bytes(text), &block, message), BLOCK_FOUND) << message;
        EXPECT_EQ(test::BlockBytes(block), test::BlockBytes(DefaultConfigBlock()));
    }
}

TEST(SRecordRead, ChecksumAndRecordCountErrors) {
    const std::string good = test::SRecordFile(DataWithBlock());
    std::string message;

    std::string badChecksum = good;
    const size_t lineEnd = badChecksum.find("\r\n", 30);
    badChecksum[lineEnd - 1] = badChecksum[lineEnd - 1] == '0' ? '1' : '0';
    EXPECT_EQ(Read(badChecksum, message), BLOCK_ERROR);
    EXPECT_EQ(message, kMessageSRecordCorrupted);

    // 160 bytes in 16-byte records: 10 data records before the count.
    std::vector<uint8_t> data = DataWithBlock();
    std::string withCount = test::SRecordFile(data);
    const size_t s9 = withCount.find("S9");
    std::string right = withCount;
    right.insert(s9, test::SRecord('5', 10, {}) + "\r\n");
    EXPECT_EQ(Read(right, message), BLOCK_FOUND) << message;
    std::string wrong = withCount;
    wrong.insert(s9, test::SRecord('5', 9, {}) + "\r\n");
    EXPECT_EQ(Read(wrong, message), BLOCK_ERROR);
    EXPECT_EQ(message, kMessageInvalidRecordCount);
}

// Damaged text never reads beyond the image and never passes for good data.
TEST(SRecordRead, DamagedRecordsAreReportedAsCorrupted) {
    const std::string header = test::SRecord('0', 0, {'x'}) + "\n";
    const std::string record = test::SRecord('1', 0x100, DataWithBlock(80, 4));
    const std::string s9 = test::SRecord('9', 0, {}) + "\n";
    const std::string cases[] = {
        header + record + "\n" + header + record.substr(0, record.size() - 5),    // cut short
        header + record + "\n" + s9 + "S1",                                       // bare type
        header + "S1130100" + std::string(32, 'G') + "00\n" + record + "\n" + s9, // not hex
        header + "S10201FC\n" + record + "\n" + s9, // count 2 < address bytes + 1
        header + record + "\n" + "S9040000FB\n",    // terminator with a byte too many
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 60));
        std::string message;
        EXPECT_EQ(Read(text, message), BLOCK_ERROR);
        EXPECT_EQ(message, kMessageSRecordCorrupted);
    }
}

TEST(SRecordRead, LongKeptLinesAndLongLineEndRunsAreReadWhole) {
    std::string message;
    // A comment far longer than any record: its characters are data too, and
    // the block behind it is still found whole.
    std::string withComment = test::SRecordFile(DataWithBlock());
    withComment.insert(0, std::string(100000, 'c') + "\r\n");
    EXPECT_EQ(Read(withComment, message), BLOCK_FOUND) << message;
    // A first line end of twelve characters is kept whole and repeated.
    std::string blankRun = test::SRecordFile(DataWithBlock(), {'1', 16, 0, "\n"});
    blankRun.insert(blankRun.find('\n'), std::string(11, '\n'));
    EXPECT_EQ(Rewrite(blankRun, 0x27, message), BLOCK_FOUND) << message;
    EXPECT_NE(blankRun.find("\n\n\n\n\n\n\n\n\n\n\n\nS9"), std::string::npos);
}

TEST(SRecordWrite, RegeneratesRecordsWithFreshChecksumsAndSameLayout) {
    const std::string original = test::SRecordFile(DataWithBlock(), {'2', 16, 0x20000, "\r\n"});
    std::string text = original;
    std::string message;
    ASSERT_EQ(Rewrite(text, 0x4F, message), BLOCK_FOUND) << message;

    EXPECT_EQ(text.size(), original.size());
    std::vector<uint8_t> data;
    ASSERT_TRUE(test::SRecordData(text, data)) << "a checksum was not recomputed";
    ConfigBlock expected = DefaultConfigBlock();
    expected.regs[4] = 0x4F;
    EXPECT_EQ(data, test::ImageWith(160, 40, test::BlockBytes(expected), 0x5A));
    // Only the records carrying the changed byte differ.
    const std::vector<std::string> before = Lines(original);
    const std::vector<std::string> after = Lines(text);
    ASSERT_EQ(before.size(), after.size());
    size_t changedLines = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        changedLines += before[i] != after[i];
    }
    EXPECT_EQ(changedLines, 1u);
}

TEST(SRecordWrite, KeepsCommentsLineEndsAndLengthAndUpperCasesDigits) {
    for (const std::string eol : {"\n", "\r\n"}) {
        std::string lower = test::SRecordFile(DataWithBlock(), {'1', 16, 0xABC0, eol});
        lower.insert(lower.find('S', 1), "; built by hand" + eol);
        const std::string upper = lower;
        for (char& c : lower) {
            c = static_cast<char>(c >= 'A' && c <= 'F' ? c + 32 : c);
        }
        std::string text = lower;
        std::string message;
        ASSERT_EQ(Rewrite(text, DefaultConfigBlock().regs[4], message), BLOCK_FOUND) << message;
        // "; built by hand" has no hex letters that changed: it stays as it was.
        EXPECT_EQ(text, upper);
    }
}

TEST(SRecordWrite, BlankLinesAfterTheFirstLineEndAreDropped) {
    const std::string original = test::SRecordFile(DataWithBlock(), {'1', 16, 0, "\n"});
    std::string text = original;
    text.insert(text.rfind("S9"), "\n\n");
    std::string message;
    ASSERT_EQ(Rewrite(text, DefaultConfigBlock().regs[4], message), BLOCK_FOUND);
    EXPECT_EQ(text, original);
}

TEST(SRecordWrite, RefusesToChangeBlockBytesHeldInCommentText) {
    // Block bytes 30..35 are printable and stand in a line of their own, which
    // is copied as text; they must not change there.
    ConfigBlock block = DefaultConfigBlock();
    std::copy_n("ABCDEF", 6, block.regs + 10);
    const std::vector<uint8_t> bytes = test::BlockBytes(block);
    const std::string text = test::SRecord('0', 0, {}) + "\n" +
                             test::SRecord('1', 0, {bytes.begin(), bytes.begin() + 30}) + "\n" +
                             "ABCDEF\n" +
                             test::SRecord('1', 0x24, {bytes.begin() + 36, bytes.end()}) + "\n" +
                             test::SRecord('9', 0, {}) + "\n";
    std::string message;
    ConfigBlock found{};
    ASSERT_EQ(SRecordReadBlock(Bytes(text), &found, message), BLOCK_FOUND);

    std::vector<uint8_t> image = Bytes(text);
    ImagePatch patch;
    EXPECT_EQ(SRecordWriteBlock(block, image, SIZE_MAX, patch, message), BLOCK_FOUND)
        << "an unchanged block is fine";
    ConfigBlock changed = block;
    changed.regs[11] = '\n';
    EXPECT_EQ(SRecordWriteBlock(changed, image, SIZE_MAX, patch, message), BLOCK_ERROR);
    EXPECT_EQ(message, kMessageSRecordCorrupted);
}

TEST(SRecordWrite, GrowthBeyondTheReserveIsRefused) {
    // A blank line at the first line end is repeated after every record: with
    // 40000 records the text would grow by 40000 bytes per blank line.
    std::vector<uint8_t> data = DataWithBlock(40000, 100);
    std::string text = test::SRecordFile(data, {'1', 1, 0, "\n"});
    text.insert(text.find('\n'), "\n");
    std::string message;
    std::string grown = text;
    EXPECT_EQ(Rewrite(grown, 1, message, text.size() + 65536), BLOCK_FOUND) << message;
    text.insert(text.find('\n'), "\n");
    grown = text;
    EXPECT_EQ(Rewrite(grown, 1, message, text.size() + 65536), BLOCK_ERROR);
    EXPECT_EQ(message, kMessageGrowthReserveExceeded);
    EXPECT_EQ(grown, text);
}

} // namespace
} // namespace zlc

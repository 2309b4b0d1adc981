#include "cases/CaseFile.h"
#include "files/DocumentImage.h"
#include "files/SRecordHandler.h"
#include "support/BlockImages.h"
#include "support/OnDisk.h"
#include "support/SRecordText.h"

#include <cstring>
#include <gtest/gtest.h>
#include <map>

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
    const test::OnDisk file(image);
    ImagePatch patch;
    const BlockResult result = SRecordWriteBlock(block, image, capacity, patch, message);
    // A save that reads the file a piece at a time plans the same change,
    // whether it patches the file or writes it whole.
    std::vector<std::vector<uint8_t>> viaFile;
    for (const size_t pieceSize : {size_t{5}, size_t{515}, kFilePieceSize}) {
        ImagePatch planned;
        std::string planMessage;
        EXPECT_EQ(SRecordPlanFileSave([&block](const ConfigBlock&) { return block; }, file.file,
                                      file.size, capacity, planned, planMessage, pieceSize),
                  result);
        EXPECT_EQ(planMessage, message);
        if (result == BLOCK_FOUND) {
            viaFile.push_back(image);
            EXPECT_TRUE(HoldRewrite(planned));
            ApplyPatch(viaFile.back(), planned);
        }
    }
    if (result == BLOCK_FOUND) {
        ApplyPatch(image, patch);
        for (const std::vector<uint8_t>& planned : viaFile) {
            EXPECT_EQ(planned, image);
        }
        text.assign(image.begin(), image.end());
    }
    return result;
}

// The good file of tests/data/files/srecord-reads.txt with a case's changes.
std::string CaseText(const test::Case& c) {
    std::string text = c.Or("text", SRecordFile(DataWithBlock()));
    const size_t terminator = text.rfind("S9");
    if (c.Has("end")) {
        text.replace(terminator, std::string::npos, c["end"]);
    }
    text.insert(terminator, c.Or("before-end", ""));
    if (c.Has("kept-line")) {
        text.insert(0, std::string(static_cast<size_t>(c.Number("kept-line")), 'c') + "\r\n");
    }
    return text;
}

class SRecordRead : public ::testing::TestWithParam<test::Case> {};

TEST_P(SRecordRead, GivesTheOutcomeAndMessage) {
    const std::map<std::string, BlockResult> results = {
        {"found", BLOCK_FOUND}, {"absent", BLOCK_ABSENT}, {"error", BLOCK_ERROR}};
    std::string message;
    ConfigBlock found{};
    const std::vector<uint8_t> text = Bytes(CaseText(GetParam()));
    EXPECT_EQ(SRecordReadBlock(text, &found, message), results.at(GetParam()["result"]));
    EXPECT_EQ(message, GetParam().Or("message", message));
    // Read from a file a piece at a time: the same answer wherever the pieces
    // cut a record, a kept line or a line end.
    const test::OnDisk file(text);
    for (const size_t pieceSize : test::kPieceSizes) {
        std::string fileMessage;
        ConfigBlock fromFile{};
        EXPECT_EQ(LocateSRecordBlockInFile(file.file, file.size, &fromFile, nullptr, fileMessage,
                                           pieceSize),
                  results.at(GetParam()["result"]))
            << pieceSize;
        EXPECT_EQ(fileMessage, message) << pieceSize;
        EXPECT_EQ(std::memcmp(&fromFile, &found, sizeof found), 0) << pieceSize;
    }
}

ZLC_CASES(SRecordRead, "files/srecord-reads.txt");

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

// A text that a rewrite would give back as it stands is patched in the
// records that hold the block alone, found again from a record start near
// them; a text that a rewrite changes anywhere else is written whole. Either
// way the result is the rewrite's (Rewrite checks that).
TEST(SRecordWrite, PatchesOnlyTheRecordsOfTheBlockWhenTheRestStaysAsItIs) {
    const std::string asWritten = SRecordFile(DataWithBlock(80000, 30000), {'3', 16, 0, "\r\n"});
    const auto plan = [](std::string text) {
        const std::vector<uint8_t> image = Bytes(text);
        const test::OnDisk file(image);
        ImagePatch planned;
        std::string message;
        EXPECT_EQ(SRecordPlanFileSave([](const ConfigBlock&) { return BlockWithReg4(0x4F); },
                                      file.file, file.size, SIZE_MAX, planned, message),
                  BLOCK_FOUND);
        EXPECT_EQ(Rewrite(text, BlockWithReg4(0x4F), message), BLOCK_FOUND) << message;
        return planned;
    };
    const ImagePatch patch = plan(asWritten);
    EXPECT_FALSE(patch.rewrite);
    EXPECT_GT(patch.offset, 30000u * 2);
    EXPECT_LT(patch.bytes.size(), 68u * 3);

    const size_t firstDigit = asWritten.find("S3") + 4;
    std::string lowerCase = asWritten;
    lowerCase[asWritten.find_first_of("ABCDEF", firstDigit)] += 'a' - 'A';
    for (const std::string& rewritten :
         {lowerCase, "\r\n" + asWritten, asWritten + "\r\n",
          asWritten.substr(0, asWritten.size() - 1),
          std::string(asWritten).insert(firstDigit - 4, "\r\n"),
          std::string(asWritten).replace(asWritten.find('\r', firstDigit), 2, "\n\r"),
          std::string(asWritten).insert(firstDigit - 4, "; note\r\n\n")}) {
        EXPECT_TRUE(plan(rewritten).rewrite);
    }
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

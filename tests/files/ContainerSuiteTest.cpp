// The same behaviour, checked over every container: a raw image, S-record
// text and a PRC database, each opened and saved through the file operations.
#include "files/BlockSearch.h"
#include "files/ConfigFile.h"
#include "support/BlockImages.h"
#include "support/PrcImages.h"
#include "support/SRecordText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::FileState;

struct RawContainer {
    static constexpr const char* kName = "image.exe";
    static std::vector<uint8_t> Wrap(const std::vector<uint8_t>& payload) { return payload; }
    static std::vector<uint8_t> Unwrap(const std::vector<uint8_t>& file) { return file; }
};

struct SRecordContainer {
    static constexpr const char* kName = "image.s9";
    // 16 bytes a record, so every block spans five records.
    static std::vector<uint8_t> Wrap(const std::vector<uint8_t>& payload) {
        const std::string text = test::SRecordFile(payload, {'2', 16, 0x10000, "\r\n"});
        return {text.begin(), text.end()};
    }
    static std::vector<uint8_t> Unwrap(const std::vector<uint8_t>& file) {
        std::vector<uint8_t> data;
        EXPECT_TRUE(test::SRecordData({file.begin(), file.end()}, data)) << "bad checksum";
        return data;
    }
};

struct PrcContainer {
    static constexpr const char* kName = "image.prc";
    static std::vector<uint8_t> Wrap(const std::vector<uint8_t>& payload) {
        return test::PrcDatabase("appl", {{"code", 1, std::vector<uint8_t>(40, 0x4E)},
                                          {"data", 0, test::DataResourceWith(payload)},
                                          {"tAIN", 1000, {'A', 'p', 'p', 0}}});
    }
    static std::vector<uint8_t> Unwrap(const std::vector<uint8_t>& file) {
        return test::DecodedBlock(test::ResourceBytes(file, 1), 0);
    }
};

// The block lies across a literal code of the PRC stream (every 128 bytes),
// as a compressed block always interrupts it, so the raw search does not
// take the PRC file for a raw image.
constexpr size_t kBlockOffset = 120;
constexpr size_t kPayloadSize = 400;

ConfigBlock FileBlock() {
    ConfigBlock block = DefaultConfigBlock();
    block.regs[0x04] = 0x13;
    block.physMemAddr = 0x00A00000;
    block.frameRate = 60;
    return block;
}

std::vector<uint8_t>
PayloadWith(const std::vector<std::pair<size_t, std::vector<uint8_t>>>& parts) {
    std::vector<uint8_t> payload(kPayloadSize);
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    for (const auto& [offset, bytes] : parts) {
        std::copy(bytes.begin(), bytes.end(),
                  payload.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    return payload;
}

template <typename Container> class ContainerSuite : public ::testing::Test {
  protected:
    std::string Put(const std::vector<uint8_t>& payload) {
        const std::string path = dir / Container::kName;
        test::WriteFile(path, Container::Wrap(payload));
        test::SetOldTimes(path);
        return path;
    }

    test::TempDir dir;
};

using Containers = ::testing::Types<RawContainer, SRecordContainer, PrcContainer>;
TYPED_TEST_SUITE(ContainerSuite, Containers);

TYPED_TEST(ContainerSuite, SaveReplacesTheBlockAndNothingElse) {
    const std::vector<uint8_t> payload =
        PayloadWith({{kBlockOffset, test::BlockBytes(FileBlock())}});
    const std::string path = this->Put(payload);

    ConfigDocument doc;
    ASSERT_TRUE(LoadConfigFile(doc, path).ok);
    EXPECT_EQ(doc.GetRegister(0x04), 0x13);
    doc.SetRegister(0x04, 0x4F);
    const FileOutcome saved = SaveConfigFile(doc, path, std::nullopt, false);
    ASSERT_TRUE(saved.ok) << saved.message;

    ConfigBlock expected = FileBlock();
    expected.regs[0x04] = 0x4F;
    EXPECT_EQ(TypeParam::Unwrap(test::ReadFile(path)),
              PayloadWith({{kBlockOffset, test::BlockBytes(expected)}}));
    ConfigDocument reread;
    ASSERT_TRUE(LoadConfigFile(reread, path).ok);
    EXPECT_EQ(reread.GetRegister(0x04), 0x4F);
}

TYPED_TEST(ContainerSuite, BigEndianBlockIsReadConvertedAndWrittenInItsOwnOrder) {
    const std::vector<uint8_t> payload =
        PayloadWith({{kBlockOffset, test::BlockBytes(FileBlock(), true)}});
    const std::string path = this->Put(payload);

    ConfigDocument doc;
    ASSERT_TRUE(LoadConfigFile(doc, path).ok);
    EXPECT_EQ(doc.block.endianDetect, kEndianNative);
    EXPECT_EQ(doc.block.physMemAddr, 0x00A00000u);
    EXPECT_EQ(doc.block.frameRate, 60);
    doc.block.clkiKHz = 25000;
    ASSERT_TRUE(SaveConfigFile(doc, path, std::nullopt, false).ok);

    ConfigBlock expected = FileBlock();
    expected.clkiKHz = 25000;
    const std::vector<uint8_t> saved = TypeParam::Unwrap(test::ReadFile(path));
    EXPECT_EQ(saved, PayloadWith({{kBlockOffset, test::BlockBytes(expected, true)}}));
}

TYPED_TEST(ContainerSuite, PreservedPhysicalAddressStaysAsTheFileStoresIt) {
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::string path =
            this->Put(PayloadWith({{kBlockOffset, test::BlockBytes(FileBlock(), bigEndian)}}));
        ConfigDocument doc; // default block: another address, other registers
        ASSERT_TRUE(SaveConfigFile(doc, path, std::nullopt, true).ok);

        ConfigBlock expected = DefaultConfigBlock();
        expected.physMemAddr = FileBlock().physMemAddr;
        EXPECT_EQ(TypeParam::Unwrap(test::ReadFile(path)),
                  PayloadWith({{kBlockOffset, test::BlockBytes(expected, bigEndian)}}));
    }
}

TYPED_TEST(ContainerSuite, UnusableFileFailsWithItsMessageAndStaysAsItWas) {
    const std::vector<uint8_t> block = test::BlockBytes(FileBlock());
    std::vector<uint8_t> wrongSize = block;
    wrongSize[0x12] = 0x45;
    const struct {
        const char* name;
        std::vector<uint8_t> payload;
        const char* message;
    } cases[] = {
        {"two blocks", PayloadWith({{kBlockOffset, block}, {250, block}}), kMessageMultipleBlocks},
        {"wrong size only", PayloadWith({{kBlockOffset, wrongSize}}), kMessageWrongSize},
        {"no block", PayloadWith({}), kMessageNoConfigData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = this->Put(c.payload);
        const FileState before = FileState::Of(path);

        ConfigDocument doc;
        doc.SetRegister(0x04, 0x77);
        const FileOutcome load = LoadConfigFile(doc, path);
        EXPECT_FALSE(load.ok);
        EXPECT_EQ(load.message,
                  "File \"" + path + "\" could not be opened because:\n\n" + c.message);
        EXPECT_EQ(test::BlockBytes(doc.block)[0x14 + 4], 0x77)
            << "document changed by a failed load";

        const FileOutcome save = SaveConfigFile(doc, path, std::nullopt, false);
        EXPECT_FALSE(save.ok);
        EXPECT_EQ(save.message,
                  "File \"" + path + "\" could not be saved because:\n\n" + c.message);
        EXPECT_TRUE(FileState::Of(path) == before);
    }
}

TYPED_TEST(ContainerSuite, SaveAsWritesTheCopyAndLeavesTheSourceAlone) {
    const std::vector<uint8_t> payload =
        PayloadWith({{kBlockOffset, test::BlockBytes(FileBlock())}});
    const std::string source = this->Put(payload);
    const FileState before = FileState::Of(source);
    const std::string copy = this->dir / (std::string("copy-") + TypeParam::kName);

    ConfigDocument doc;
    ASSERT_TRUE(SaveConfigFile(doc, source, copy, false).ok);
    EXPECT_TRUE(FileState::Of(source) == before);
    EXPECT_EQ(TypeParam::Unwrap(test::ReadFile(copy)),
              PayloadWith({{kBlockOffset, test::BlockBytes(DefaultConfigBlock())}}));
}

} // namespace
} // namespace zlc

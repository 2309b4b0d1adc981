#include "files/DocumentImage.h"

#include "model/SettingsTable.h"
#include "support/BlockImages.h"

#include <cstring>
#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::BlockBytes;
using test::ImageWith;

// A block as some target built it: distinct values in every multi-byte field.
ConfigBlock TargetBlock() {
    ConfigBlock block = DefaultConfigBlock();
    block.clkiKHz = 25175;
    block.physMemAddr = 0x12340000;
    block.physRegAddr = 0x12340000 + kRegisterOffsetFromMemory;
    block.frameRate = 72;
    block.regs[4] = 0x4F;
    return block;
}

bool SameBlock(const ConfigBlock& a, const ConfigBlock& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(DocumentImage, LoadsABigEndianBlockInLittleEndianOrder) {
    const auto image = ImageWith(256, 40, BlockBytes(TargetBlock(), true));
    ConfigDocument doc;
    std::string message;
    ASSERT_TRUE(LoadFromImage(doc, image, message));
    EXPECT_TRUE(SameBlock(doc.block, TargetBlock()));
    EXPECT_EQ(BlockBytes(doc.block)[0x10], 0x34);
    EXPECT_EQ(GetSetting(doc, SettingId::PhysRegAddr), 0x1235FFE0u);
    EXPECT_EQ(GetSetting(doc, SettingId::FrameRate), 72u);
}

TEST(DocumentImage, StoresInTheFilesOwnByteOrder) {
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian file" : "little-endian file");
        auto image = ImageWith(256, 40, BlockBytes(DefaultConfigBlock(), bigEndian));
        ConfigDocument doc;
        doc.block = TargetBlock();
        const ConfigBlock before = doc.block;
        std::string message;
        ASSERT_TRUE(StoreToImage(doc, image, image.size() + 65536, false, message));
        EXPECT_EQ(image.size(), 256u);
        const std::vector<uint8_t> stored(image.begin() + 40, image.begin() + 40 + 68);
        EXPECT_EQ(stored, BlockBytes(TargetBlock(), bigEndian));
        EXPECT_TRUE(SameBlock(doc.block, before)); // a store never changes the document
    }
}

TEST(DocumentImage, PreservingThePhysicalAddressKeepsTheFilesOwnBytes) {
    ConfigBlock fileBlock = DefaultConfigBlock();
    fileBlock.physMemAddr = 0xAABBCCDD;
    auto image = ImageWith(256, 0, BlockBytes(fileBlock, true));
    ConfigDocument doc;
    doc.block = TargetBlock();
    std::string message;
    ASSERT_TRUE(StoreToImage(doc, image, image.size(), true, message));

    ConfigBlock expected = TargetBlock();
    expected.physMemAddr = 0xAABBCCDD;
    const std::vector<uint8_t> stored(image.begin(), image.begin() + 68);
    EXPECT_EQ(stored, BlockBytes(expected, true));
}

TEST(DocumentImage, FailuresChangeNothing) {
    ConfigDocument doc;
    doc.block = TargetBlock();
    doc.lcdPowerOffTimeMs = 900;
    const ConfigBlock before = doc.block;

    auto twoBlocks = ImageWith(300, 0, BlockBytes(DefaultConfigBlock()));
    const auto second = BlockBytes(DefaultConfigBlock());
    std::copy(second.begin(), second.end(), twoBlocks.begin() + 150);
    const auto untouched = twoBlocks;
    std::string message;

    EXPECT_FALSE(LoadFromImage(doc, twoBlocks, message));
    EXPECT_EQ(message, "The file contains multiple configuration data structures.");
    EXPECT_TRUE(SameBlock(doc.block, before));

    EXPECT_FALSE(StoreToImage(doc, twoBlocks, twoBlocks.size() + 65536, false, message));
    EXPECT_EQ(twoBlocks, untouched);

    const std::vector<uint8_t> empty(500, 0);
    EXPECT_FALSE(LoadFromImage(doc, empty, message));
    EXPECT_EQ(message, "The file does not contain any configuration data.");
    EXPECT_TRUE(SameBlock(doc.block, before));
}

TEST(DocumentImage, LoadingReplacesOnlyTheBlock) {
    ConfigDocument doc;
    SetSetting(doc, SettingId::LcdPowerOffTime, 750);
    SetSetting(doc, SettingId::LcdPowerOnTime, 20);
    std::string message;
    ASSERT_TRUE(LoadFromImage(doc, ImageWith(100, 5, BlockBytes(TargetBlock())), message));
    ASSERT_TRUE(LoadFromImage(doc, ImageWith(90, 0, BlockBytes(DefaultConfigBlock())), message));
    EXPECT_EQ(doc.lcdPowerOffTimeMs, 750u);
    EXPECT_EQ(doc.lcdPowerOnTimeMs, 20u);
    EXPECT_TRUE(SameBlock(doc.block, DefaultConfigBlock()));
}

} // namespace
} // namespace zlc

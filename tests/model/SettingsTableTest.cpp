#include "model/SettingsTable.h"

#include <bit>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace zlc {
namespace {

using namespace SettingId;

TEST(SettingsTable, RowsAreWellFormed) {
    const auto rows = SettingsTable();
    ASSERT_EQ(rows.size(), 63u);
    for (const SettingEntry& row : rows) {
        SCOPED_TRACE(row.longName);
        EXPECT_EQ(IndexOfSetting(row.id), row.id - 1);
        ASSERT_NE(row.shortName, nullptr);
        ASSERT_NE(row.longName, nullptr);
        if (row.Has(SettingFlags::REGISTER)) {
            EXPECT_LT(row.reg, 32u);
            ASSERT_NE(row.mask, 0u);
            EXPECT_LE(row.mask, 0xFFu);
            // One contiguous run of bits, as the field arithmetic assumes.
            const uint32_t shifted = row.mask >> std::countr_zero(row.mask);
            EXPECT_EQ(shifted & (shifted + 1), 0u);
        } else {
            // A row that is not a field must compute its own value.
            EXPECT_NE(row.get, nullptr);
        }
    }
}

TEST(SettingsTable, UnknownIdentifiersAreHarmless) {
    ConfigDocument doc;
    const ConfigBlock before = doc.block;
    for (int id : {0, 64, -1, 1000}) {
        EXPECT_EQ(IndexOfSetting(id), 63);
        EXPECT_EQ(GetSetting(doc, id), 0u);
        EXPECT_FALSE(SetSetting(doc, id, 7));
        EXPECT_EQ(GetSettingMin(doc, id), 0u);
        EXPECT_EQ(GetSettingMax(doc, id), 0u);
        EXPECT_FALSE(GetValueName(doc, id, 0).has_value());
        EXPECT_EQ(FormatSettingValue(doc, id), "");
    }
    EXPECT_EQ(0, std::memcmp(&before, &doc.block, sizeof before));
}

TEST(SettingsTable, RegisterAccessOutsideTheBlockIsIgnored) {
    ConfigDocument doc;
    EXPECT_EQ(doc.GetRegister(32), 0);
    EXPECT_EQ(doc.GetRegister(-1), 0);
    const ConfigBlock before = doc.block;
    EXPECT_EQ(doc.SetRegister(32, 0x55), 0x55u);
    EXPECT_EQ(0, std::memcmp(&before, &doc.block, sizeof before));
    doc.SetRegister(0x1A, 0x1234);
    EXPECT_EQ(doc.GetRegister(0x1A), 0x34);
}

TEST(SettingsTable, FieldWritesClampAndKeepTheOtherBits) {
    ConfigDocument doc;
    doc.SetRegister(0x1B, 0xFF);
    SetSetting(doc, PivotScanPclk, 9); // bits 1:0, clamped to 3
    EXPECT_EQ(doc.GetRegister(0x1B), 0xFF);
    SetSetting(doc, PivotScanPclk, 1);
    EXPECT_EQ(doc.GetRegister(0x1B), 0xFD);
    SetSetting(doc, LutData, 0x1F); // bits 7:4, clamped to 15, low nibble kept
    doc.SetRegister(0x17, 0x05);
    SetSetting(doc, LutData, 0x1F);
    EXPECT_EQ(doc.GetRegister(0x17), 0xF5);
    SetSetting(doc, LutData, 2);
    EXPECT_EQ(doc.GetRegister(0x17), 0x25);

    SetSetting(doc, VertPanelSizeLsb, 300);
    EXPECT_EQ(doc.GetRegister(0x05), 255);
    EXPECT_EQ(GetSetting(doc, VertPanelSize), (doc.GetRegister(0x06) & 3) * 256u + 256u);
}

TEST(SettingsTable, SetReportsWhetherTheValueChanged) {
    ConfigDocument doc;
    const uint8_t mode0 = doc.GetRegister(0x01);
    EXPECT_EQ(GetSetting(doc, ColorMono), 1u);
    EXPECT_FALSE(SetSetting(doc, ColorMono, 1));
    EXPECT_EQ(doc.GetRegister(0x01), mode0);
    EXPECT_TRUE(SetSetting(doc, ColorMono, 0));
    EXPECT_EQ(doc.GetRegister(0x01), mode0 & ~0x20);
    // The answer compares the value given, even when the field clamps it.
    EXPECT_TRUE(SetSetting(doc, VertPanelSizeLsb, 300));
    EXPECT_TRUE(SetSetting(doc, VertPanelSizeLsb, 300));
}

TEST(SettingsTable, SharedFieldViewsChangeTogether) {
    ConfigDocument doc;
    doc.SetRegister(0x01, 0x00);
    SetSetting(doc, DualSingle, 1);
    EXPECT_EQ(doc.GetRegister(0x01), 0x40);
    EXPECT_EQ(GetSetting(doc, DataWidthBits), 0u); // mono dual, code 0: reserved
    SetSetting(doc, DataWidthChoice, 1);
    EXPECT_EQ(GetSetting(doc, DataWidthBits), 8u);
}

TEST(SettingsTable, ValuesWithoutANameShowTheirNumber) {
    ConfigDocument doc;
    EXPECT_EQ(FormatSettingValue(doc, TftStn), "TFT/D-TFD");
    EXPECT_EQ(FormatSettingValue(doc, InputClockDivide), "0");
    EXPECT_EQ(FormatSettingValue(doc, PhysMemAddr), "00F00000");
    doc.SetRegister(0x03, 0x01);
    EXPECT_EQ(FormatSettingValue(doc, SoftwarePowerSave), "<RESERVED>");
}

TEST(SettingsTable, RangesOfBlockAndDocumentRowsAreZeroAndDepthFollowsColour) {
    ConfigDocument doc;
    for (int id : {ClkiTiming, PhysRegAddr, PhysMemAddr, FrameRate, LcdPowerOffTime, LcdPowerOnTime,
                   RequiredVram, PixelClock, MemoryClock, TotalVideoMemory}) {
        EXPECT_EQ(GetSettingMax(doc, id), 0u) << id;
    }
    EXPECT_EQ(GetSettingMax(doc, BitsPerPixel), 8u);
    SetSetting(doc, ColorMono, 0);
    EXPECT_EQ(GetSettingMax(doc, BitsPerPixel), 4u);
}

TEST(SettingsTable, ValueNameListsEndAtTheFirstUnnamedValue) {
    ConfigDocument doc;
    std::string joined;
    for (uint32_t v = 0; auto name = GetValueName(doc, HorzPanelSize, v); ++v) {
        joined += *name + "|";
    }
    EXPECT_EQ(joined, "160|320|480|640|800|");
    EXPECT_FALSE(GetValueName(doc, FrameRate, 0).has_value());
}

TEST(SettingsTable, BlockAndDocumentRows) {
    ConfigDocument doc;
    EXPECT_EQ(GetSetting(doc, ClkiTiming), 6000000u);
    SetSetting(doc, ClkiTiming, 25175999);
    EXPECT_EQ(doc.block.clkiKHz, 25175u);
    SetSetting(doc, FrameRate, 0x12345);
    EXPECT_EQ(doc.block.frameRate, 0x2345);
    SetSetting(doc, LcdPowerOffTime, 700);
    EXPECT_EQ(doc.lcdPowerOffTimeMs, 700u);
    EXPECT_EQ(GetSetting(doc, TotalVideoMemory), 81920u);
    EXPECT_FALSE(SetSetting(doc, TotalVideoMemory, 81920));
    EXPECT_EQ(GetSetting(doc, TotalVideoMemory), 81920u);
    EXPECT_EQ(GetSetting(doc, RequiredVram), 76800u);
}

} // namespace
} // namespace zlc

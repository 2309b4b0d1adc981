#include "model/SettingsTable.h"

#include <bit>
#include <cstring>
#include <gtest/gtest.h>

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

} // namespace
} // namespace zlc

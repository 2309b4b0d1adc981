#include "cli/SettingsFile.h"

#include "cases/CaseFile.h"
#include "model/SettingsTable.h"

#include <cstring>
#include <gtest/gtest.h>

namespace zlc::cli {
namespace {

std::vector<SettingsFileEntry> Read(std::string_view text) {
    std::vector<SettingsFileEntry> entries;
    SettingsFileError error;
    EXPECT_TRUE(ReadSettingsText(text, entries, error)) << error.line << ": " << error.message;
    return entries;
}

// Applies the text to a default document; the error text, empty on success.
std::string Apply(ConfigDocument& doc, std::string_view text) {
    std::vector<SettingsFileEntry> entries;
    SettingsFileError error;
    if (!ReadSettingsText(text, entries, error) || !ApplySettings(doc, entries, error)) {
        return std::to_string(error.line) + ": " + error.message;
    }
    return {};
}

TEST(SettingsFile, JsonEntriesPreferIdAndRawAndKeepTheirLines) {
    const auto entries = Read(R"({
  "settings": [
    {"id": 33, "name": "Horizontal Panel Size", "value": "640", "raw": 640},
    {"name": "TFT/STN",
     "value": "STN"}
  ],
  "panel": "ignored"
})");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "33");
    EXPECT_EQ(entries[0].value, "640");
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[0].where, "settings[0] \"Horizontal Panel Size\"");
    EXPECT_EQ(entries[1].name, "TFT/STN");
    EXPECT_EQ(entries[1].value, "STN");
    EXPECT_EQ(entries[1].line, 5); // the line of the value
}

TEST(SettingsFile, LinesSkipCommentsAndBlanks) {
    const auto entries = Read("# a panel\n\n  Horz Size = 640 # pixels\r\nREG[1Bh]=0x80\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Horz Size");
    EXPECT_EQ(entries[0].value, "640");
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[1].line, 4);
}

// Editors put a byte-order mark in front of either kind of file.
TEST(SettingsFile, ByteOrderMarkIsSkipped) {
    EXPECT_EQ(Read("\xEF\xBB\xBFHorz Size=640\n").at(0).name, "Horz Size");
    EXPECT_EQ(Read("\xEF\xBB\xBF{\"settings\": [{\"id\": 33, \"raw\": 640}]}").at(0).value, "640");
}

TEST(SettingsFile, ListedFieldsWinOverRulesRunAfterThem) {
    // PivotScan recomputes the start address and line count; the file's own
    // count, listed before it, still wins.
    ConfigDocument doc;
    EXPECT_EQ(Apply(doc, "Line Byte Count=7\nPivotScan Mode Enable=Enabled\n"), "");
    EXPECT_EQ(GetSetting(doc, SettingId::LineByteCount), 7u);
    EXPECT_EQ(GetSetting(doc, SettingId::PivotScanEnable), 1u);
    EXPECT_EQ(GetSetting(doc, SettingId::Screen1Start), 239u); // from the rule
}

// A fixed setting listed with the value it holds is no fault.
TEST(SettingsFile, FixedSettingsWithTheirOwnValueAreAccepted) {
    ConfigDocument doc;
    EXPECT_EQ(Apply(doc, "Horz Size=640\nRequired VRAM=153600\nZLC Controller=62740\n"
                         "Product Code=9\n1=5\n"),
              "");
    EXPECT_EQ(GetSetting(doc, SettingId::HorzPanelSize), 640u);
}

class RefusedSettingsFile : public ::testing::TestWithParam<test::Case> {};

// Reading or applying stops at the fault and changes nothing.
TEST_P(RefusedSettingsFile, NamesTheLineAndTheFault) {
    ConfigDocument doc;
    const ConfigBlock before = doc.block;
    std::vector<SettingsFileEntry> entries;
    SettingsFileError error;
    EXPECT_FALSE(ReadSettingsText(GetParam()["text"], entries, error) &&
                 ApplySettings(doc, entries, error));
    EXPECT_EQ(std::to_string(error.line), GetParam().Or("line", std::to_string(error.line)));
    EXPECT_EQ(error.message, GetParam().Or("message", error.message));
    EXPECT_EQ(std::memcmp(&before, &doc.block, sizeof before), 0);
}

ZLC_CASES(RefusedSettingsFile, "cli/refused-settings.txt");

} // namespace
} // namespace zlc::cli

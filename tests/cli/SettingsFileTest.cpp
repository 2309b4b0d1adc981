#include "cli/SettingsFile.h"

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

SettingsFileError ReadError(std::string_view text) {
    std::vector<SettingsFileEntry> entries;
    SettingsFileError error;
    EXPECT_FALSE(ReadSettingsText(text, entries, error));
    return error;
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

TEST(SettingsFile, MalformedFilesNameTheLine) {
    EXPECT_EQ(ReadError("Horz Size=640\nFrame Rate\n").line, 2);
    EXPECT_EQ(ReadError("Horz Size=\n").line, 1);
    EXPECT_EQ(ReadError("{\n \"settings\": [\n  {\"id\": 1,}\n ]\n}").line, 3);
    EXPECT_EQ(ReadError("{\n \"settings\": [\n  {\"id\": 1, \"raw\": 5}\n ]\n} x").line, 5);
    EXPECT_EQ(ReadError("{\"settings\": \"none\"}").message, "no \"settings\" array");
    EXPECT_EQ(ReadError("{\"settings\": [{\"raw\": 5}]}").message,
              "settings[0]: neither \"id\" nor \"name\"");
    EXPECT_EQ(ReadError("{\"settings\": [{\"id\": 5, \"raw\": true}]}").message,
              "settings[0]: neither \"raw\" nor \"value\"");
    EXPECT_EQ(ReadError("{\"settings\": " + std::string(100, '[')).message,
              "JSON nested too deeply");
    EXPECT_EQ(ReadError("{\"settings\": [\"\\u12\"]}").line, 1);
}

TEST(SettingsFile, ListedFieldsWinOverRulesRunAfterThem) {
    // PivotScan recomputes the start address; the file's own LSB, listed
    // before it, still wins.
    ConfigDocument doc;
    EXPECT_EQ(Apply(doc, "Scrn 1 Start (LSB)=7\nPivotScan Mode Enable=Enabled\n"), "");
    EXPECT_EQ(GetSetting(doc, SettingId::Screen1StartLsb), 7u);
    EXPECT_EQ(GetSetting(doc, SettingId::PivotScanEnable), 1u);
    EXPECT_EQ(GetSetting(doc, SettingId::Screen1StartMsb), 1u); // from the rule: 511
}

TEST(SettingsFile, FixedSettingsMustHoldTheirValue) {
    ConfigDocument doc;
    EXPECT_EQ(Apply(doc, "Horz Size=640\nRequired VRAM=153600\nZLC Controller=62740\n"
                         "Product Code=9\n1=5\n"),
              "");
    EXPECT_EQ(GetSetting(doc, SettingId::HorzPanelSize), 640u);

    ConfigDocument untouched;
    const ConfigBlock before = untouched.block;
    EXPECT_EQ(Apply(untouched, "Horz Size=640\nRequired VRAM=76800\n"),
              "2: \"Required VRAM\" is derived from other settings and cannot be set: it is "
              "153600, not 76800");
    EXPECT_EQ(Apply(untouched, "Horz Size=640\nProduct Code=8\n"),
              "2: \"Product Code\" is read-only and cannot be set: it is 9, not 8");
    EXPECT_EQ(Apply(untouched, "Horz Size=640\nFrame Rate=fast\n"),
              "2: \"fast\" is neither a number nor a value name of \"Frame Rate\"");
    EXPECT_EQ(Apply(untouched, "{\"settings\": [{\"id\": 33, \"raw\": 640}, {\"id\": 99, "
                               "\"raw\": 1}]}"),
              "1: settings[1]: unknown setting \"99\"");
    EXPECT_EQ(std::memcmp(&before, &untouched.block, sizeof before), 0);
}

} // namespace
} // namespace zlc::cli

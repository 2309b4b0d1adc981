#include "cli/SettingNames.h"

#include "cases/CaseFile.h"
#include "model/SettingsTable.h"

#include <cstring>
#include <gtest/gtest.h>

namespace zlc::cli {
namespace {

TEST(SettingNames, ResolvesEveryKindOfName) {
    EXPECT_EQ(ResolveSettingName("Horizontal Panel Size")->ids, std::vector<int>{33});
    EXPECT_EQ(ResolveSettingName("horz size")->ids, std::vector<int>{33});
    EXPECT_EQ(ResolveSettingName("33")->ids, std::vector<int>{33});
    // Two views share this name; both are offered, the width view first.
    EXPECT_EQ(ResolveSettingName("Data Width Bits")->ids, (std::vector<int>{21, 22}));
    EXPECT_EQ(ResolveSettingName("REG[1Bh]")->registerIndex, 0x1B);
    EXPECT_EQ(ResolveSettingName("reg[0a]")->registerIndex, 0x0A);
    for (const char* bad : {"", "0", "64", "REG[20h]", "REG[]", "REG[xyh]", "Horizontal"}) {
        EXPECT_FALSE(ResolveSettingName(bad).has_value()) << bad;
    }
}

TEST(SettingNames, RegisterIndexesInEveryWriting) {
    for (const char* text : {"REG[1Bh]", "1B", "1bh", "0x1B"}) {
        EXPECT_EQ(ParseRegisterIndex(text), 0x1B) << text;
    }
    for (const char* bad : {"20", "REG[20h]", "", "h", "0x", "1G"}) {
        EXPECT_EQ(ParseRegisterIndex(bad), -1) << bad;
    }
}

TEST(SettingNames, ParsesDecimalAndHexNumbers) {
    EXPECT_EQ(ParseNumber("0"), 0u);
    EXPECT_EQ(ParseNumber("4294967295"), 4294967295u);
    EXPECT_EQ(ParseNumber("0xF00000"), 0xF00000u);
    EXPECT_EQ(ParseNumber("0XaB"), 0xABu);
    for (const char* bad : {"", "-1", "4294967296", "0x", "12x", " 1", "1.5"}) {
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
    }
}

class Assignments : public ::testing::TestWithParam<test::Case> {};

TEST_P(Assignments, AreTakenOrRefusedInTurn) {
    ConfigDocument doc;
    for (const std::string& line : test::Split(GetParam()["steps"], '\n')) {
        SCOPED_TRACE(line);
        if (const std::vector<std::string> words = test::Split(line, ' '); words[0] == "get") {
            EXPECT_EQ(GetSetting(doc, std::stoi(words.at(1))), std::stoul(words.at(2)));
            continue;
        }
        const size_t arrow = line.find(" -> ");
        const ConfigBlock before = doc.block;
        const std::string message = ApplyAssignment(doc, line.substr(0, arrow));
        if (arrow == std::string::npos) {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_NE(message.find(line.substr(arrow + 4)), std::string::npos) << message;
            EXPECT_EQ(std::memcmp(&before, &doc.block, sizeof before), 0);
        }
    }
}

ZLC_CASES(Assignments, "cli/assignments.txt");

} // namespace
} // namespace zlc::cli

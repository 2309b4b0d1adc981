#include "model/SettingTexts.h"

#include "cases/CaseFile.h"
#include "model/RegisterTable.h"
#include "model/SettingsTable.h"

namespace zlc::test {
namespace {

using namespace SettingId;

class SettingTextByStyle : public ::testing::TestWithParam<Case> {};
TEST_P(SettingTextByStyle, CombinesNameReferenceAndTags) {
    const Case& c = GetParam();
    EXPECT_EQ(SettingText(static_cast<int>(c.Number("id")), static_cast<int>(c.Number("style"))),
              c["text"]);
}
ZLC_CASES(SettingTextByStyle, "model/setting-texts.txt");

class Breakdown : public ::testing::TestWithParam<Case> {};
TEST_P(Breakdown, ListsTheFieldsOfTheRegister) {
    ConfigDocument doc;
    doc.SetRegister(0x18, 0x15);
    std::string expected = GetParam()["text"];
    if (expected.ends_with('\n')) {
        expected.pop_back(); // the last line has no line end
    }
    EXPECT_EQ(RegisterBreakdown(doc, static_cast<int>(GetParam().Number("reg"))), expected);
}
ZLC_CASES(Breakdown, "model/breakdowns.txt");

class HelpText : public ::testing::TestWithParam<Case> {};
TEST_P(HelpText, JoinsHelpRuleAndFormula) {
    EXPECT_EQ(SettingHelpText(static_cast<int>(GetParam().Number("id"))), GetParam()["text"]);
}
ZLC_CASES(HelpText, "model/help-texts.txt");

TEST(SettingTexts, HelpOfSeveralSettingsIsJoinedInTableOrder) {
    const int pair[] = {VertPanelSizeMsb, VertPanelSizeLsb};
    EXPECT_EQ(SettingHelpText(pair),
              SettingHelpText(VertPanelSizeLsb) + SettingHelpText(VertPanelSizeMsb));
    EXPECT_EQ(SettingHelpText(std::span<const int>{}), "");
    EXPECT_TRUE(SettingHelpText(PanelDataFormat)
                    .ends_with("Panel Data Format Select is a "
                               "derived value."));
}

TEST(SettingTexts, RegisterListRow) {
    EXPECT_EQ(RegisterName(32), "<ERROR>");
    ConfigDocument doc;
    doc.SetRegister(0x1A, 0x5A);
    EXPECT_EQ(RegisterListRow(doc, 0x1A, " *"),
              (std::array<std::string, 5>{"1Ah *", "5Ah", "01011010b", "        90",
                                          "Scratch Pad Register"}));
}

TEST(SettingTexts, GeneratedIdentifiers) {
    for (const auto& [name, identifier] : {std::pair{"FPLINE_START_POS", "FPLineStartPos"},
                                           {"SCRN1_START_ADDR_LSB", "Scrn1StartAddrLSB"},
                                           {"GPIO_CONFIG", "GPIOConfig"},
                                           {"REG_SCRN__START_ADDR", "RegScrnStartAddr"},
                                           {"_MOD_RATE_", "MODRate"},
                                           {"", ""}}) {
        EXPECT_EQ(IdentifierFromRegisterName(name), identifier);
    }
    EXPECT_EQ(PaddedInitializerValue(8, "0x%02X", 0x1Bu), "0x1B,   ");
    EXPECT_EQ(PaddedInitializerValue(5, "0x%02X", 0x1Bu), "0x1B,");
    EXPECT_EQ(PaddedInitializerValue(4, "0x%02X", 0x1Bu), "0x1B,  ");
}

} // namespace
} // namespace zlc::test

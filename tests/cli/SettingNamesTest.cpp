#include "cli/SettingNames.h"

#include "model/SettingsTable.h"

#include <algorithm>
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

// A number outside the range is refused and changes nothing; inside it the
// model's own rounding still applies.
TEST(SettingNames, NumbersOutsideTheRangeAreRefused) {
    ConfigDocument doc;
    const ConfigDocument before = doc;
    for (const char* refused :
         {"Frame Rate=65536", "Frame Rate=-1", "Frame Rate=18446744073709551616", "33=0", "33=1032",
          "34=100000", "Bits-Per-Pixel=0", "Phys Reg Addr=0x100000000"}) {
        EXPECT_NE(ApplyAssignment(doc, refused).find("is out of range"), std::string::npos)
            << refused;
    }
    EXPECT_TRUE(std::equal(std::begin(doc.block.regs), std::end(doc.block.regs),
                           std::begin(before.block.regs)));
    EXPECT_EQ(doc.block.frameRate, before.block.frameRate);
    EXPECT_EQ(ApplyAssignment(doc, "Frame Rate=65535"), "");
    EXPECT_EQ(ApplyAssignment(doc, "33=645"), "");
    EXPECT_EQ(GetSetting(doc, SettingId::HorzPanelSize), 640u);
    // Bits-Per-Pixel's range follows the panel kind set before it; the value
    // it already holds stays acceptable.
    EXPECT_EQ(ApplyAssignment(doc, "Color/Mono=Mono"), "");
    EXPECT_EQ(ApplyAssignment(doc, "Bits-Per-Pixel=8"), "");
    EXPECT_EQ(ApplyAssignment(doc, "Bits-Per-Pixel=2"), "");
    EXPECT_EQ(ApplyAssignment(doc, "Bits-Per-Pixel=8"),
              "Bits-Per-Pixel: 8 is out of range (1 to 4)");
}

TEST(SettingNames, ValueNamesDependOnThePanelKind) {
    ConfigDocument doc;
    // On the default active panel "8-Bit" names nothing.
    EXPECT_FALSE(ApplyAssignment(doc, "Data Width Bits=8-Bit").empty());
    EXPECT_EQ(ApplyAssignment(doc, "Data Width Bits=9-Bit"), "");
    EXPECT_EQ(GetSetting(doc, SettingId::DataWidthBits), 9u);
    EXPECT_EQ(ApplyAssignment(doc, "TFT/STN=stn"), "");
    EXPECT_EQ(ApplyAssignment(doc, "Data Width Bits=8-Bit"), "");
    EXPECT_EQ(GetSetting(doc, SettingId::DataWidthBits), 8u);
    // Value names may hold the separator itself.
    EXPECT_EQ(ApplyAssignment(doc, "High Performance=Makes MCLK=PCLK/(8/BPP)"), "");
    EXPECT_EQ(GetSetting(doc, SettingId::HighPerformance), 0u);
    EXPECT_EQ(ApplyAssignment(doc, "Software Power Save=Power Save"), "");
    EXPECT_EQ(GetSetting(doc, SettingId::SoftwarePowerSave), 0u);
}

} // namespace
} // namespace zlc::cli

#include "ui/SettingControls.h"

#include "ui/ControlBindings.h"

#include <gtest/gtest.h>

namespace zlc::ui {
namespace {

TEST(SettingControls, HexadecimalFields) {
    EXPECT_EQ(ParseHexText(""), 0u);
    EXPECT_EQ(ParseHexText("  1f"), 0x1Fu);
    EXPECT_EQ(ParseHexText("1F"), ParseHexText("1f"));
    EXPECT_EQ(ParseHexText("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexText("123456789"), 0x23456789u); // low 32 bits
    for (const char* bad : {"12x", "1F ", "-1", "0x10", "1 2"}) {
        EXPECT_FALSE(ParseHexText(bad).has_value()) << bad;
    }
}

TEST(SettingControls, DecimalFields) {
    auto thousandths = [](const char* text) { return ParseDecimalText(text)->thousandths; };
    EXPECT_EQ(thousandths("6.5"), 6500u);
    EXPECT_EQ(thousandths("6.12345"), 6123u);
    EXPECT_EQ(thousandths("6 . 5"), 6500u);
    EXPECT_EQ(thousandths("25.175"), 25175u);
    EXPECT_EQ(thousandths("6"), 6000u);
    EXPECT_EQ(thousandths(".5"), 500u);
    EXPECT_EQ(thousandths(""), 0u);
    EXPECT_EQ(ParseDecimalText("25.175")->whole, 25u);
    for (const char* bad : {"6,5", "6.5.1", "x", "-6", "4294968"}) {
        EXPECT_FALSE(ParseDecimalText(bad).has_value()) << bad;
    }
    EXPECT_EQ(thousandths("4294967.295"), 4294967295u);
}

TEST(SettingControls, BindingsAndTooltips) {
    EXPECT_EQ(SettingOfControl(1303), 23);
    EXPECT_EQ(SettingOfControl(1517), 38);
    EXPECT_EQ(SettingOfControl(1201), 0); // a fixed-text row binds no setting
    EXPECT_EQ(SettingOfControl(9999), 0);
    EXPECT_EQ(ControlTooltip(203), "Configure ZLC62740 input clocks.");
    EXPECT_EQ(ControlTooltip(1405), ControlTooltip(1529));
    EXPECT_TRUE(ControlTooltip(1208).starts_with("Starting address of the display buffer.\n"));
    // The edit part of a combo box shows the combo box's tip.
    EXPECT_EQ(ControlTooltip(1001, 1401), ControlTooltip(1401));
    EXPECT_EQ(ControlTooltip(1001), "");
    EXPECT_TRUE(ControlTooltip(206).starts_with("Configure ZLC62740 registers.\n_____"));
}

} // namespace
} // namespace zlc::ui

#include "model/ModeDescription.h"
#include "model/SettingsTable.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using namespace SettingId;

// A passive panel of the given kind with data width code `code`.
ConfigDocument PassivePanel(bool color, bool dual, uint8_t code) {
    ConfigDocument doc;
    doc.SetRegister(0x01, (color ? 0x20 : 0) | (dual ? 0x40 : 0) | code);
    return doc;
}

TEST(DerivedSettings, FormulaFieldsRoundDownAndClamp) {
    ConfigDocument doc;
    SetSetting(doc, HorzPanelSize, 327);
    EXPECT_EQ(doc.GetRegister(0x04) & 0x7F, 39);
    EXPECT_EQ(GetSetting(doc, HorzPanelSize), 320u);

    SetSetting(doc, FplineStart, 8);
    EXPECT_EQ(doc.GetRegister(0x07) & 0x1F, 0);
    EXPECT_EQ(GetSetting(doc, FplineStart), 16u);

    SetSetting(doc, HorzNonDisplay, 8); // 8 / 8 - 4 wraps: the field clamps to its largest value
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 280u);

    SetSetting(doc, VertPanelSize, 0);
    EXPECT_EQ(doc.GetRegister(0x06) & 3, 3);
    EXPECT_EQ(doc.GetRegister(0x05), 255);
    EXPECT_EQ(GetSetting(doc, VertPanelSize), 1024u);

    SetSetting(doc, BitsPerPixel, 3);
    EXPECT_EQ(doc.GetRegister(0x02) >> 6, 3);
    SetSetting(doc, BitsPerPixel, 2);
    EXPECT_EQ(GetSetting(doc, BitsPerPixel), 2u);
}

TEST(DerivedSettings, ComposedAddressesAndSizes) {
    ConfigDocument doc;
    SetSetting(doc, Screen1Start, 0x1ABCD);
    EXPECT_EQ(doc.GetRegister(0x10) & 1, 1);
    EXPECT_EQ(doc.GetRegister(0x0D), 0xAB);
    EXPECT_EQ(doc.GetRegister(0x0C), 0xCD);
    EXPECT_EQ(GetSetting(doc, Screen1Start), 0x1ABCDu);
    SetSetting(doc, Screen2Start, 0x1234);
    EXPECT_EQ(GetSetting(doc, Screen2Start), 0x1234u);
    SetSetting(doc, Screen1VirtualSize, 600);
    EXPECT_EQ(GetSetting(doc, Screen1VirtualSize), 600u);
    EXPECT_EQ(doc.GetRegister(0x13), 2);
    EXPECT_EQ(doc.GetRegister(0x12), 87);
}

TEST(DerivedSettings, PivotScanAddressing) {
    ConfigDocument doc; // 320 pixels, 8 bpp
    SetSetting(doc, PivotScanEnable, 1);
    EXPECT_EQ(GetSetting(doc, Screen1Start), 511u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 0u);
    SetSetting(doc, PivotScanSelect, 1);
    EXPECT_EQ(GetSetting(doc, Screen1Start), 319u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 64u);

    SetSetting(doc, HorzPanelSize, 240);
    EXPECT_EQ(GetSetting(doc, Screen1Start), 239u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 240u);

    // Changing the depth does not recompute; the pages do that themselves.
    SetSetting(doc, BitsPerPixel, 4);
    EXPECT_EQ(GetSetting(doc, Screen1Start), 239u);

    SetSetting(doc, PivotScanEnable, 0);
    EXPECT_EQ(GetSetting(doc, Screen1Start), 0u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 240u);
}

TEST(DerivedSettings, Clocks) {
    ConfigDocument doc;
    EXPECT_EQ(GetSetting(doc, PixelClock), 6000000u);
    EXPECT_EQ(GetSetting(doc, MemoryClock), 6000000u);

    SetSetting(doc, HighPerformance, 0);
    SetSetting(doc, BitsPerPixel, 2);
    EXPECT_EQ(GetSetting(doc, MemoryClock), 1500000u);

    SetSetting(doc, ClkiTiming, 24000000);
    SetSetting(doc, PivotScanEnable, 1);
    SetSetting(doc, PivotScanSelect, 1);
    SetSetting(doc, PivotScanPclk, 2);
    EXPECT_EQ(GetSetting(doc, PixelClock), 6000000u);
    EXPECT_EQ(GetSetting(doc, MemoryClock), 12000000u);

    SetSetting(doc, PivotScanSelect, 0);
    EXPECT_EQ(GetSetting(doc, MemoryClock), 6000000u);
    SetSetting(doc, PivotScanPclk, 0);
    EXPECT_EQ(GetSetting(doc, PixelClock), 24000000u);
    EXPECT_EQ(GetSetting(doc, MemoryClock), 24000000u);
    SetSetting(doc, PivotScanSelect, 1);
    EXPECT_EQ(GetSetting(doc, PixelClock), 12000000u);
}

TEST(DerivedSettings, DataWidthOfEveryPanelKindAndCode) {
    struct Case {
        bool color, dual;
        uint32_t widths[4];
        uint32_t choices[4];
        const char* names[4];
    };
    const Case cases[] = {
        {false, false, {4, 8, 0, 0}, {0, 1, 0, 0}, {"4-Bit", "8-Bit", "4-Bit", "4-Bit"}},
        {false,
         true,
         {0, 8, 0, 0},
         {0, 1, 0, 0},
         {"<RESERVED>", "8-Bit", "<RESERVED>", "<RESERVED>"}},
        {true, false, {4, 8, 0, 8}, {0, 1, 0, 1}, {"4-Bit", "8-Bit", "4-Bit", "8-Bit"}},
        {true,
         true,
         {0, 8, 0, 0},
         {0, 1, 0, 0},
         {"<RESERVED>", "8-Bit", "<RESERVED>", "<RESERVED>"}},
    };
    for (const Case& c : cases) {
        for (uint8_t code = 0; code < 4; ++code) {
            SCOPED_TRACE(testing::Message()
                         << "color " << c.color << " dual " << c.dual << " code " << int(code));
            ConfigDocument doc = PassivePanel(c.color, c.dual, code);
            EXPECT_EQ(GetSetting(doc, DataWidthBits), c.widths[code]);
            EXPECT_EQ(GetSetting(doc, DataWidthChoice), c.choices[code]);
            EXPECT_EQ(FormatSettingValue(doc, DataWidthChoice), c.names[code]);
        }
    }
    for (uint8_t code = 0; code < 4; ++code) {
        ConfigDocument active;
        active.SetRegister(0x01, 0x80 | code);
        EXPECT_EQ(GetSetting(active, DataWidthBits), (code & 1) ? 12u : 9u);
        EXPECT_EQ(GetSetting(active, DataWidthChoice), code & 1u);
        EXPECT_EQ(FormatSettingValue(active, DataWidthChoice), (code & 1) ? "12-Bit" : "9-Bit");
    }
}

TEST(DerivedSettings, SettingTheDataWidth) {
    ConfigDocument active;
    SetSetting(active, DataWidthBits, 9);
    EXPECT_EQ(active.GetRegister(0x01) & 3, 0);
    SetSetting(active, DataWidthBits, 12);
    EXPECT_EQ(active.GetRegister(0x01) & 3, 1);
    SetSetting(active, DataWidthChoice, 7); // the raw code, clamped to the field
    EXPECT_EQ(active.GetRegister(0x01) & 3, 3);

    ConfigDocument mono = PassivePanel(false, false, 0);
    SetSetting(mono, DataWidthBits, 8);
    EXPECT_EQ(mono.GetRegister(0x01) & 3, 1);
    SetSetting(mono, DataWidthBits, 4);
    EXPECT_EQ(mono.GetRegister(0x01) & 3, 0);

    // A choice beyond the table stores code 0 and leaves the format choice alone.
    ConfigDocument color = PassivePanel(true, false, 3);
    EXPECT_EQ(GetSetting(color, PanelDataFormat), 1u);
    SetSetting(color, DataWidthChoice, 9);
    EXPECT_EQ(color.GetRegister(0x01) & 3, 0);
    EXPECT_TRUE(color.format2Selected);
    SetSetting(color, DataWidthChoice, 1);
    EXPECT_EQ(color.GetRegister(0x01) & 3, 3);
    SetSetting(color, DataWidthChoice, 0);
    EXPECT_FALSE(color.format2Selected);
    EXPECT_EQ(color.GetRegister(0x01) & 3, 0);
}

TEST(DerivedSettings, PanelDataFormatFollowsTheColorSingleEightBitCode) {
    ConfigDocument doc = PassivePanel(true, false, 1);
    EXPECT_EQ(GetSetting(doc, PanelDataFormat), 0u);
    SetSetting(doc, PanelDataFormat, 1);
    EXPECT_EQ(doc.GetRegister(0x01) & 3, 3);
    EXPECT_EQ(GetSetting(doc, DataWidthBits), 8u);
    EXPECT_EQ(GetSetting(doc, DataWidthChoice), 1u);
    EXPECT_EQ(ModeDescription(doc), "320x240x8bpp 0Hz Color 8-Bit STN, Format 2 (PCLK=6.000MHz)");

    // Width 8 after format 2 was chosen keeps format 2.
    SetSetting(doc, DataWidthBits, 4);
    EXPECT_FALSE(doc.format2Selected);
    SetSetting(doc, PanelDataFormat, 1);
    SetSetting(doc, DataWidthBits, 8);
    EXPECT_EQ(doc.GetRegister(0x01) & 3, 3);

    // On any other panel only the flag changes, and a read refreshes it.
    ConfigDocument dual = PassivePanel(true, true, 1);
    SetSetting(dual, PanelDataFormat, 1);
    EXPECT_EQ(dual.GetRegister(0x01) & 3, 1);
    EXPECT_TRUE(dual.format2Selected);
    EXPECT_EQ(GetSetting(dual, PanelDataFormat), 0u);
    EXPECT_FALSE(dual.format2Selected);
}

TEST(DerivedSettings, ModeDescription) {
    ConfigDocument doc;
    EXPECT_EQ(ModeDescription(doc), "320x240x8bpp 0Hz Color 12-Bit TFT/D-TFD (PCLK=6.000MHz)");
    SetSetting(doc, ClkiTiming, 25175000);
    SetSetting(doc, FrameRate, 60);
    SetSetting(doc, ColorMono, 0);
    SetSetting(doc, BitsPerPixel, 4);
    SetSetting(doc, TftStn, 0);
    SetSetting(doc, DualSingle, 1);
    SetSetting(doc, DataWidthChoice, 1);
    SetSetting(doc, HorzPanelSize, 640);
    SetSetting(doc, VertPanelSize, 480);
    EXPECT_EQ(ModeDescription(doc), "640x480x4bpp 60Hz Mono 8-Bit STN (PCLK=25.175MHz)");
}

} // namespace
} // namespace zlc

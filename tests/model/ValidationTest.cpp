#include "model/Validation.h"

#include "model/DocumentUpdates.h"
#include "model/SettingsTable.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using namespace SettingId;

TEST(Validation, TheDefaultConfigurationIsClean) {
    const ConfigDocument doc;
    EXPECT_EQ(CheckErrors(doc), "");
    EXPECT_EQ(CheckWarnings(doc), "");
}

TEST(Validation, PanelErrors) {
    ConfigDocument mono;
    mono.SetRegister(0x01, 0x02); // mono single passive, code 2: reserved
    EXPECT_EQ(CheckErrors(mono),
              "ERROR: Data Width setting is invalid (please refer to the Hardware "
              "Specification).\n"
              "ERROR: 8 bits-per-pixel is invalid when in monochrome mode.\n");
    ConfigDocument color;
    color.SetRegister(0x01, 0x23); // colour single passive, code 3: 8-bit format 2
    EXPECT_EQ(CheckErrors(color), "");

    ConfigDocument power;
    power.SetRegister(0x03, 0x06);
    EXPECT_EQ(CheckErrors(power), "ERROR: SW Power Save is set to a RESERVED value of 2.\n");

    for (uint8_t field : {0, 1, 2}) { // 8, 16 and 24 pixels
        ConfigDocument narrow;
        narrow.SetRegister(0x04, field);
        EXPECT_EQ(CheckErrors(narrow),
                  "ERROR: Horz Size is less than the minimum allowed of 32.\n");
    }
}

TEST(Validation, ActivePanelTimingErrors) {
    ConfigDocument doc;
    SetSetting(doc, FplineStart, 200);
    SetSetting(doc, FpframeStart, 0);
    EXPECT_EQ(CheckErrors(doc), "ERROR: FPLINE Start is greater than Horz Non-Disp Period.\n"
                                "ERROR: FPFRAME Start is less than 1.\n");
    SetSetting(doc, FpframeStart, 12);
    EXPECT_EQ(CheckErrors(doc), "ERROR: FPLINE Start is greater than Horz Non-Disp Period.\n"
                                "ERROR: FPFRAME Start is greater than Vert Non-Disp Period.\n");
    SetSetting(doc, TftStn, 0); // passive panels ignore these timings
    SetSetting(doc, DataWidthBits, 8);
    EXPECT_EQ(CheckErrors(doc), "");
}

TEST(Validation, MemoryWarnings) {
    ConfigDocument large;
    SetSetting(large, HorzPanelSize, 640);
    SetSetting(large, VertPanelSize, 480);
    EXPECT_EQ(CheckWarnings(large),
              "Warning: Total Avail Vid Mem is 80 KB, but 300 KB is required.\n");

    ConfigDocument shifted;
    SetSetting(shifted, Screen1Start, 8192);
    EXPECT_EQ(CheckWarnings(shifted),
              "Warning: The Scrn 1 Start will cause the displayed image to exceed 80 KB.\n");
}

TEST(Validation, ReservedBitWarnings) {
    ConfigDocument doc;
    doc.SetRegister(0x03, 0x17);
    EXPECT_EQ(CheckWarnings(doc), "Warning: REG[03h] bit 4 set, but should be RESERVED.\n");
    doc.SetRegister(0x03, 0x07);
    doc.SetRegister(0x14, 0x90);
    doc.SetRegister(0x17, 0x0F);
    doc.SetRegister(0x1B, 0x04); // the reserved portrait clock
    doc.SetRegister(0x1F, 0xE6);
    EXPECT_EQ(CheckWarnings(doc), "Warning: REG[14h] bits 4, 7 set, but should be RESERVED.\n"
                                  "Warning: REG[17h] bits 3:0 set, but should be RESERVED.\n"
                                  "Warning: REG[1Bh] bit 2 set, but should be RESERVED.\n"
                                  "Warning: REG[1Fh] bits 2:1, 7:5 set, but should be "
                                  "RESERVED.\n");
    ConfigDocument revision;
    revision.SetRegister(0x00, 0xFF);
    EXPECT_EQ(CheckWarnings(revision), "");
}

TEST(DocumentUpdates, LineByteCountFollowsDepthAndOrientation) {
    ConfigDocument doc; // 320 x 240
    for (const auto& [bpp, expected] : {std::pair{8u, 255u}, {4u, 160u}, {2u, 80u}, {1u, 40u}}) {
        SetSetting(doc, BitsPerPixel, bpp);
        UpdateLineByteCount(doc);
        EXPECT_EQ(GetSetting(doc, LineByteCount), expected) << bpp;
    }
    doc.SetRegister(0x1B, 0x80); // PivotScan: the line is a column of 240 pixels
    SetSetting(doc, BitsPerPixel, 8);
    UpdateLineByteCount(doc);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 240u);
}

TEST(DocumentUpdates, FrameRateFromThePanelTiming) {
    ConfigDocument doc;
    UpdateFrameRate(doc); // 6 MHz / ((11 + 240) x (128 + 320))
    EXPECT_EQ(GetSetting(doc, FrameRate), 53u);
    SetSetting(doc, InputClockDivide, 1);
    UpdateFrameRate(doc);
    EXPECT_EQ(GetSetting(doc, FrameRate), 26u);
    SetSetting(doc, ClkiTiming, 25175000);
    SetSetting(doc, InputClockDivide, 0);
    SetSetting(doc, HorzPanelSize, 640);
    SetSetting(doc, VertPanelSize, 480);
    SetSetting(doc, HorzNonDisplay, 160);
    SetSetting(doc, VertNonDisplay, 45);
    UpdateFrameRate(doc);
    EXPECT_EQ(GetSetting(doc, FrameRate), 59u);
}

} // namespace
} // namespace zlc

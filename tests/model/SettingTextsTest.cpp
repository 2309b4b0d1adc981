#include "model/SettingTexts.h"

#include "model/RegisterTable.h"
#include "model/SettingsTable.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using namespace SettingId;

TEST(SettingTexts, StylesCombineNameReferenceAndTags) {
    EXPECT_EQ(SettingText(HorzPanelSize, 3), "Horizontal Panel Size (REG[04h] Bits 6:0)");
    EXPECT_EQ(SettingText(HorzPanelSize, 10), "REG[04h-b6:0]");
    EXPECT_EQ(SettingText(HorzPanelSize, 11), "Horz Size (REG[04h-b6:0])");
    EXPECT_EQ(SettingText(TftStn, 2), "REG[01h] Bit 7");
    EXPECT_EQ(SettingText(TftStn, 10), "REG[01h-b7]");
    EXPECT_EQ(SettingText(ProductCode, 13), "Product Code [RO]");
    EXPECT_EQ(SettingText(ProductCode, 7), "Product Code (REG[00h] Bits 7:2) [READONLY]");
    EXPECT_EQ(SettingText(PortraitMclk, 5), "Portrait Mode Memory Clock [RESERVED]");
    EXPECT_EQ(SettingText(PortraitMclk, 14), "REG[1Bh-b2] [RSVD]");
    EXPECT_EQ(SettingText(TftStn, 4), ""); // no tag applies
    EXPECT_EQ(SettingText(0, 15), "");
}

TEST(SettingTexts, BreakdownsOfRegisters) {
    ConfigDocument doc;
    EXPECT_EQ(RegisterBreakdown(doc, 0x04),
              "Register 0004h breakdown:\n  [Bits6:0]  Horz Size = 320 pixels ");
    // The data width appears once, as its named view, after Mask FPSHIFT.
    EXPECT_EQ(RegisterBreakdown(doc, 0x01), "Register 0001h breakdown:\n"
                                            "  [Bit7]  TFT/STN = TFT/D-TFD \n"
                                            "  [Bit6]  Dual/Single = Single \n"
                                            "  [Bit5]  Color/Mono = Color \n"
                                            "  [Bit4]  FPLINE Pol = Active Low \n"
                                            "  [Bit3]  FPFRAME Pol = Active Low \n"
                                            "  [Bit2]  Mask FPSHIFT = Disabled \n"
                                            "  [Bits1:0]  Data Width Bits = 12-Bit ");
    EXPECT_EQ(RegisterBreakdown(doc, 0x14), "");
    doc.SetRegister(0x18, 0x15);
    EXPECT_EQ(RegisterBreakdown(doc, 0x18),
              "Register 0018h breakdown:\n  [Bits4:0]  GPIO Config = 15h ");
    // The reserved portrait clock is left out.
    EXPECT_EQ(RegisterBreakdown(doc, 0x1B), "Register 001Bh breakdown:\n"
                                            "  [Bit7]  PivotScan Enable = Disabled \n"
                                            "  [Bit6]  PivotScan Select = Disabled \n"
                                            "  [Bits1:0]  PivotScan PCLK = 0 ");
    EXPECT_EQ(RegisterBreakdown(doc, 0x00), "Register 0000h breakdown:\n"
                                            "  [Bits7:2]  Product Code [RO] = 9 \n"
                                            "  [Bits1:0]  Rev Code [RO] = 0 ");
    EXPECT_EQ(RegisterBreakdown(doc, 32), "");
    EXPECT_EQ(RegisterBreakdown(doc, -1), "");
}

TEST(SettingTexts, HelpTexts) {
    const std::string rule(50, '_');
    EXPECT_EQ(SettingHelpText(HorzPanelSize),
              "Determines the horizontal resolution of the panel.\n" + rule +
                  "\nHorizontal Panel Size (pixels) = ( REG[04h-b6:0] + 1 ) * 8");
    EXPECT_EQ(SettingHelpText(TftStn),
              "Selects the type of panel between passive LCD, active matrix TFT or D-TFD.\n" +
                  rule + "\nTFT/STN = REG[01h-b7] \n   where { 0=STN | 1=TFT/D-TFD }");
    EXPECT_EQ(SettingHelpText(VertPanelSize),
              "Determines the vertical resolution of the panel.\n" + rule +
                  "\nVertical Panel Size (lines) = ( REG[06h-b1:0]<<8 + REG[05h-b7:0] ) + 1");
    EXPECT_TRUE(SettingHelpText(PanelDataFormat)
                    .ends_with("Panel Data Format Select is a "
                               "derived value."));
    EXPECT_EQ(SettingHelpText(PhysRegAddr), "Physical Register Address is not a register value.");
    EXPECT_EQ(SettingHelpText(ProductCode), "Product Code [READONLY] = REG[00h-b7:2]");

    // Settings bound to one control are joined in table order, whatever order
    // they are handed over in.
    const int pair[] = {VertPanelSizeMsb, VertPanelSizeLsb};
    EXPECT_EQ(SettingHelpText(pair),
              SettingHelpText(VertPanelSizeLsb) + SettingHelpText(VertPanelSizeMsb));
    EXPECT_EQ(SettingHelpText(std::span<const int>{}), "");
}

TEST(SettingTexts, RegisterNamesAndRows) {
    EXPECT_EQ(RegisterName(0x1B), "PivotScan Mode Register");
    EXPECT_EQ(RegisterName(0x1E), "Not Used");
    EXPECT_EQ(RegisterName(32), "<ERROR>");
    ConfigDocument doc;
    doc.SetRegister(0x1A, 0x5A);
    const auto row = RegisterListRow(doc, 0x1A, " *");
    EXPECT_EQ(row[0], "1Ah *");
    EXPECT_EQ(row[1], "5Ah");
    EXPECT_EQ(row[2], "01011010b");
    EXPECT_EQ(row[3], "        90");
    EXPECT_EQ(row[4], "Scratch Pad Register");
}

TEST(SettingTexts, GeneratedIdentifiers) {
    EXPECT_EQ(IdentifierFromRegisterName("FPLINE_START_POS"), "FPLineStartPos");
    EXPECT_EQ(IdentifierFromRegisterName("SCRN1_START_ADDR_LSB"), "Scrn1StartAddrLSB");
    EXPECT_EQ(IdentifierFromRegisterName("GPIO_CONFIG"), "GPIOConfig");
    EXPECT_EQ(IdentifierFromRegisterName("REG_SCRN__START_ADDR"), "RegScrnStartAddr");
    EXPECT_EQ(IdentifierFromRegisterName("_MOD_RATE_"), "MODRate");
    EXPECT_EQ(IdentifierFromRegisterName(""), "");

    EXPECT_EQ(PaddedInitializerValue(8, "0x%02X", 0x1Bu), "0x1B,   ");
    EXPECT_EQ(PaddedInitializerValue(5, "0x%02X", 0x1Bu), "0x1B,");
    EXPECT_EQ(PaddedInitializerValue(4, "0x%02X", 0x1Bu), "0x1B,  ");
}

} // namespace
} // namespace zlc

#include "ShellFixture.h"
#include "model/SettingsTable.h"

namespace zlc::ui {
namespace {

using namespace SettingId;
using Pages = test::ShellFixture;

constexpr int kGeneral = 0, kPreferences = 1, kClocks = 2;

TEST_F(Pages, GeneralPageMatchesThePlatformOfTheAddresses) {
    // The default block's register address belongs to no platform.
    EXPECT_EQ(page().GetText(1201), "Korvane Q9E62740B00B/B00C");
    EXPECT_EQ(page().GetText(1202), "Korvane Q9E62740B00C Rev. 2");
    EXPECT_TRUE(page().GetText(1209).starts_with("NOTE: The decoding of the 62740 physical"));
    for (int button : {1201, 1202, 1204, 1205, 1206}) {
        EXPECT_FALSE(page().IsChecked(button)) << button;
    }
    EXPECT_FALSE(page().IsEnabled(1208));
    EXPECT_EQ(page().GetText(1207), "00000046");
    EXPECT_EQ(page().GetText(1208), "00F00000");
    EXPECT_EQ(page().State(1208).textLimit, 8);

    page().Click(1204);
    EXPECT_EQ(GetSetting(doc, PhysMemAddr), 0x10E00000u);
    EXPECT_EQ(GetSetting(doc, PhysRegAddr), 0x10E1FFE0u);
    EXPECT_EQ(page().GetText(1207), "10E1FFE0");

    doc.block.physMemAddr = 0x00F00000;
    doc.block.physRegAddr = 0x00F1FFE0;
    ShowTab(kGeneral);
    EXPECT_TRUE(page().IsChecked(1201));
    EXPECT_FALSE(page().IsEnabled(1208));
    EXPECT_FALSE(page().IsEnabled(1207));
}

TEST_F(Pages, AnInvalidAddressIsRefusedUntilCorrected) {
    page().Click(1206);
    EXPECT_TRUE(page().IsEnabled(1208));
    EXPECT_EQ(page().GetText(1208), "00000000");
    EXPECT_EQ(GetSetting(doc, PhysRegAddr), 0x1FFE0u);

    page().TypeAndLeave(1208, "12x");
    EXPECT_EQ(host.diagnosticsText, "ERROR: \"12x\" is not a valid Phys Buff Addr!");
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(host.highlighted);
    EXPECT_EQ(page().GetText(1208), "00000000"); // the old address back
    EXPECT_TRUE(page().State(1208).allSelected);
    EXPECT_EQ(page().focusRequest, 1208);
    EXPECT_EQ(GetSetting(doc, PhysMemAddr), 0u);

    EXPECT_FALSE(shell.RequestTab(kClocks));
    EXPECT_EQ(shell.currentTab(), kGeneral);

    page().TypeAndLeave(1208, " 200000");
    EXPECT_EQ(page().GetText(1208), "00200000");
    EXPECT_EQ(page().GetText(1207), "0021FFE0");
    EXPECT_EQ(GetSetting(doc, PhysMemAddr), 0x200000u);
    EXPECT_EQ(GetSetting(doc, PhysRegAddr), 0x21FFE0u);
    EXPECT_EQ(host.diagnosticsText, "");
    EXPECT_FALSE(host.highlighted);

    // The typed addresses stay with User-Defined when the page is made again.
    ShowTab(kClocks);
    ShowTab(kGeneral);
    EXPECT_TRUE(page().IsChecked(1206));
    EXPECT_EQ(page().GetText(1208), "00200000");
}

TEST_F(Pages, UserDefinedWinsOverTheRev2BoardWhenBothMatch) {
    doc.block.physMemAddr = 0;
    doc.block.physRegAddr = 0;
    ShowTab(kGeneral);
    EXPECT_TRUE(page().IsChecked(1202));
    shell.state().userDefined = {0, 0};
    ShowTab(kGeneral);
    EXPECT_TRUE(page().IsChecked(1206));
    EXPECT_FALSE(page().IsChecked(1202));
}

TEST_F(Pages, PreferencesSetDepthPivotScanAndTheLineByteCount) {
    ShowTab(kPreferences);
    EXPECT_TRUE(page().IsChecked(1304));
    EXPECT_FALSE(page().IsEnabled(1306));

    page().Click(1301);
    EXPECT_EQ(GetSetting(doc, BitsPerPixel), 1u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 40u);
    page().Click(1304);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 255u); // 320 bytes do not fit

    page().Click(1305);
    EXPECT_TRUE(page().IsEnabled(1306));
    EXPECT_EQ(GetSetting(doc, LineByteCount), 240u); // the panel's height in PivotScan
    page().Click(1306);
    EXPECT_EQ(GetSetting(doc, PivotScanSelect), 1u);
    page().Click(1305);
    EXPECT_FALSE(page().IsEnabled(1306));
    EXPECT_TRUE(page().IsChecked(1306));
    EXPECT_EQ(GetSetting(doc, PivotScanSelect), 1u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 255u);
}

TEST_F(Pages, ClocksPageBoundsTheInputClock) {
    ShowTab(kClocks);
    EXPECT_EQ(page().ItemCount(1401), 11);
    EXPECT_EQ(page().GetText(1401), "6.000");
    EXPECT_EQ(page().GetText(1404), " 1:1");
    EXPECT_EQ(page().GetText(1402), " 6.000 MHz");

    page().TypeAndLeave(1401, "0.390");
    EXPECT_EQ(host.diagnosticsText, "ERROR: \"0.390\" is not a valid CLKI Timing!");
    EXPECT_EQ(page().GetText(1401), "6.000");
    page().TypeAndLeave(1401, "0.391");
    EXPECT_EQ(GetSetting(doc, ClkiTiming), 391000u);
    EXPECT_EQ(page().GetText(1401), "0.391");
    page().TypeAndLeave(1401, "120.001");
    EXPECT_EQ(GetSetting(doc, ClkiTiming), 391000u);
    page().TypeAndLeave(1401, "120");
    EXPECT_EQ(GetSetting(doc, ClkiTiming), 120000000u);
    EXPECT_EQ(page().GetText(1401), "120.000");
    page().TypeAndLeave(1401, "25.17");
    EXPECT_EQ(page().GetText(1401), "25.170");

    page().PickItem(1401, 6);
    EXPECT_EQ(GetSetting(doc, ClkiTiming), 25175000u);
    EXPECT_EQ(GetSetting(doc, FrameRate), 25175000u / ((11 + 240) * (128 + 320)));

    page().TypeAndLeave(1401, "7.372");
    ShowTab(kClocks);
    EXPECT_EQ(page().ItemCount(1401), 12);
    EXPECT_EQ(page().ItemText(1401, 11), "7.372");
    EXPECT_EQ(page().Selection(1401), 11);
}

TEST_F(Pages, ClocksPageShowsTheDividedClocks) {
    SetSetting(doc, HighPerformance, 0);
    SetSetting(doc, BitsPerPixel, 4);
    ShowTab(kClocks);
    EXPECT_EQ(page().GetText(1405), " 6.000 MHz");
    EXPECT_EQ(page().GetText(1408), " 3.000 MHz");
    EXPECT_EQ(page().GetText(1407), " 2:1");
    page().Click(3007);
    EXPECT_EQ(GetSetting(doc, InputClockDivide), 1u);
    EXPECT_EQ(page().GetText(1402), " 3.000 MHz");
    EXPECT_EQ(page().GetText(1408), " 1.500 MHz");

    doc.block.clkiKHz = 0; // a file may carry no clock at all
    ShowTab(kClocks);
    EXPECT_EQ(page().GetText(1404), " 0:1");
}

} // namespace
} // namespace zlc::ui

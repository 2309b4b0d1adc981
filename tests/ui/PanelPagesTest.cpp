#include "ShellFixture.h"
#include "base/Format.h"
#include "model/SettingsTable.h"
#include "support/TempDir.h"

#include <cstring>

namespace zlc::ui {
namespace {

using namespace SettingId;

constexpr int kPanelTab = 3, kPanelPowerTab = 4, kClocksTab = 2;
constexpr int kStn = 1501, kTft = 1502, kFormat2 = 1503, kEightBit = 1505, kColor = 1507;
constexpr int kWidth = 1514, kHeight = 1515, kHndp = 1516, kHndpArrows = 1517, kHndpBar = 1518;
constexpr int kVndp = 1519, kVndpBar = 1521, kFrameRate = 1528, kPanelList = 1530;

// The Panel page with the predefined panels shipped beside the programs.
class PanelPages : public test::ShellFixture {
  protected:
    PanelPages() {
        LoadPanelDefinitions(panels, ZLC_BIN_DIR, [](const std::string& m) { FAIL() << m; });
        ShowTab(kPanelTab);
    }

    std::string Shown() { return shell.state().diagnostics.shownText(); }
    int EntryNamed(const std::string& name) {
        for (int i = 0; i < page().ItemCount(kPanelList); ++i) {
            if (page().ItemText(kPanelList, i) == name) {
                return i;
            }
        }
        ADD_FAILURE() << "no entry " << name;
        return -1;
    }
    std::string FrameRateText() const { return host.page->GetText(kFrameRate); }
};

TEST_F(PanelPages, PageShowsTheDocument) {
    EXPECT_TRUE(page().IsChecked(kTft));
    EXPECT_EQ(page().GetText(kEightBit), "12-bit");
    EXPECT_TRUE(page().IsChecked(kEightBit));
    EXPECT_EQ(page().ItemCount(kWidth), 5); // 320 is one of the named sizes
    EXPECT_EQ(page().GetText(kHndp), "128");
    EXPECT_EQ(page().State(kHndpBar).position, 128);
    EXPECT_EQ(page().GetText(1529), " 6.000 MHz");
    EXPECT_EQ(FrameRateText(), " 53 Hz");
    EXPECT_EQ(page().ItemText(kPanelList, page().Selection(kPanelList)), "Custom panel");
    EXPECT_FALSE(page().IsEnabled(kColor));

    // The TFT start positions do not apply to an STN panel.
    page().Click(kStn);
    EXPECT_EQ(page().GetText(1504), "4-bit");
    EXPECT_TRUE(page().IsEnabled(kColor));
    for (int id : {3004, 1522, 1523, 1524, 3005, 1525, 1526, 1527}) {
        EXPECT_FALSE(page().IsEnabled(id)) << id;
    }

    // A width without a name of its own is added to the list.
    SetSetting(doc, HorzPanelSize, 336);
    ShowTab(kPanelTab);
    EXPECT_EQ(page().ItemCount(kWidth), 6);
    EXPECT_EQ(page().GetText(kWidth), "336");
}

TEST_F(PanelPages, WidthIsRoundedUpToWholeUnitsOfThePanelType) {
    page().Click(kStn);
    page().TypeAndLeave(kWidth, "322");
    EXPECT_EQ(page().GetText(kWidth), "336");
    EXPECT_EQ(GetSetting(doc, HorzPanelSize), 336u);
    EXPECT_TRUE(
        Shown().starts_with("NOTE: The panel width was rounded up to the closest allowable value."))
        << Shown();
    EXPECT_EQ(GetSetting(doc, LineByteCount), 255u);

    // Rounded to the width it already has: still noted, still refreshed.
    page().TypeAndLeave(kWidth, "320");
    page().TypeAndLeave(kWidth, "336");
    ASSERT_FALSE(Shown().starts_with("NOTE"));
    page().TypeAndLeave(kWidth, "330");
    EXPECT_TRUE(Shown().starts_with("NOTE: The panel width was rounded"));

    page().Click(kTft);
    page().TypeAndLeave(kWidth, "322");
    EXPECT_EQ(GetSetting(doc, HorzPanelSize), 328u);

    page().TypeAndLeave(kWidth, "1032");
    EXPECT_EQ(Shown(), "ERROR: \"1032\" is not a valid Horz Size (must be between 32 and 1024)!");
    EXPECT_EQ(page().GetText(kWidth), "328");
    EXPECT_EQ(GetSetting(doc, HorzPanelSize), 328u);
    page().TypeAndLeave(kWidth, "640");

    page().TypeAndLeave(kHeight, "x");
    EXPECT_TRUE(Shown().starts_with("ERROR: \"x\" is not a valid Vert Size!\n"));
    page().PickItem(kHeight, 3);
    EXPECT_EQ(GetSetting(doc, VertPanelSize), 480u);
    EXPECT_EQ(FrameRateText(), Format(" %u Hz", GetSetting(doc, FrameRate)));
    EXPECT_EQ(GetSetting(doc, FrameRate), 6000000u / ((11 + 480) * (128 + 640)));
}

TEST_F(PanelPages, TripleFieldsClampWithANoteAndMoveTheBar) {
    page().TypeAndLeave(kHndp, "3");
    EXPECT_EQ(page().GetText(kHndp), "32");
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 32u);
    EXPECT_EQ(page().State(kHndpBar).position, 32);
    EXPECT_TRUE(Shown().starts_with(
        "NOTE: The Horizontal Non-Display Period was set to the closest allowable value."));
    EXPECT_EQ(FrameRateText(), Format(" %u Hz", 6000000u / ((11 + 240) * (32 + 320))));

    // Whole units of 8 are kept, and the field says so.
    page().TypeAndLeave(kHndp, "100");
    EXPECT_EQ(page().GetText(kHndp), "96");
    EXPECT_EQ(page().State(kHndpBar).position, 96);

    page().TypeAndLeave(kVndp, "99");
    EXPECT_EQ(GetSetting(doc, VertNonDisplay), 63u);
    EXPECT_TRUE(Shown().starts_with("NOTE: The Vertical Non-Display Period was set"));

    page().TypeAndLeave(kVndp, "1a");
    EXPECT_EQ(Shown(), "ERROR: \"1a\" is not a valid Vert Non-Disp Period!");
    EXPECT_EQ(page().GetText(kVndp), "63");
}

TEST_F(PanelPages, ArrowsAndBarsMoveInTheSettingsStepsAndTheFrameRateFollows) {
    page().PressArrow(kHndpArrows, +1);
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 136u);
    EXPECT_EQ(page().GetText(kHndp), "136");
    EXPECT_EQ(page().State(kHndpBar).position, 136);
    EXPECT_EQ(FrameRateText(), Format(" %u Hz", 6000000u / ((11 + 240) * (136 + 320))));
    page().PressArrow(kHndpArrows, +1, 2000); // held for two seconds
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 168u);
    page().PressArrow(1520, -1, 5000); // the V arrows always step by 1
    EXPECT_EQ(GetSetting(doc, VertNonDisplay), 10u);

    // The arrows start from what was typed into the field.
    page().Type(kHndp, "200");
    page().PressArrow(kHndpArrows, -1);
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 192u);

    for (int x = 0; x <= 100; ++x) {
        page().DragBar(kHndpBar, x, 100);
        const uint32_t hndp = GetSetting(doc, HorzNonDisplay);
        ASSERT_EQ(hndp % 8, 0u) << x;
        ASSERT_EQ(page().GetText(kHndp), std::to_string(hndp));
        ASSERT_EQ(FrameRateText(), Format(" %u Hz", 6000000u / ((10 + 240) * (hndp + 320))));
    }
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 280u);
    EXPECT_EQ(page().focusRequest, kHndp);
    page().DragBar(kVndpBar, 1, 63);
    EXPECT_EQ(GetSetting(doc, VertNonDisplay), 1u);
}

TEST_F(PanelPages, ChoicesSwitchedOffByThePanelTypeComeBack) {
    page().Click(kStn);
    page().Click(kColor);
    page().Click(kEightBit);
    page().Click(kFormat2);
    EXPECT_EQ(GetSetting(doc, PanelDataFormat), 1u);
    EXPECT_FALSE(page().IsEnabled(1532)); // Mask FPSHIFT: mono panels only

    page().Click(kTft);
    EXPECT_FALSE(page().IsChecked(kFormat2));
    EXPECT_FALSE(page().IsEnabled(kFormat2));
    EXPECT_EQ(GetSetting(doc, PanelDataFormat), 0u);
    EXPECT_EQ(page().GetText(kEightBit), "12-bit");
    EXPECT_FALSE(page().IsEnabled(kColor));
    EXPECT_TRUE(page().IsEnabled(1522));

    page().Click(kStn);
    EXPECT_TRUE(page().IsChecked(kFormat2));
    EXPECT_TRUE(page().IsEnabled(kFormat2));
    EXPECT_EQ(GetSetting(doc, PanelDataFormat), 1u);

    // The choice lasts for the run, across page re-creation.
    page().Click(kTft);
    ShowTab(kClocksTab);
    ShowTab(kPanelTab);
    page().Click(kStn);
    EXPECT_EQ(GetSetting(doc, PanelDataFormat), 1u);
}

TEST_F(PanelPages, PanelTypePresetsPolaritiesAndTheListFollowsTheSettings) {
    const int sharp = EntryNamed("Sharp LM32P10 320x240 mono STN");
    page().PickItem(kPanelList, sharp);
    EXPECT_EQ(page().Selection(kPanelList), sharp);

    page().Click(kTft);
    EXPECT_TRUE(page().IsChecked(1510));
    EXPECT_TRUE(page().IsChecked(1512));
    EXPECT_FALSE(page().IsChecked(1511));
    EXPECT_EQ(GetSetting(doc, FplinePolarity), 0u);
    EXPECT_EQ(GetSetting(doc, FpframePolarity), 0u);
    EXPECT_EQ(page().ItemText(kPanelList, page().Selection(kPanelList)), "Custom panel");

    page().Click(kStn);
    EXPECT_TRUE(page().IsChecked(1511));
    EXPECT_TRUE(page().IsChecked(1513));
    EXPECT_EQ(GetSetting(doc, FpframePolarity), 1u);
    EXPECT_EQ(page().Selection(kPanelList), sharp);

    // Clicking the type already chosen changes nothing and reports nothing.
    const int writes = host.diagnosticsWrites;
    page().Click(kStn);
    EXPECT_EQ(host.diagnosticsWrites, writes);
}

TEST_F(PanelPages, ChosenPanelIsAppliedAndCustomPanelChangesNothing) {
    const int tft = EntryNamed("Sharp LQ057Q3DC02 320x240 TFT");
    page().PickItem(kPanelList, tft);
    EXPECT_EQ(GetSetting(doc, TftStn), 1u);
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 80u);
    EXPECT_EQ(GetSetting(doc, VertNonDisplay), 22u);
    EXPECT_TRUE(page().IsChecked(kTft));
    EXPECT_EQ(page().GetText(kHndp), "80");
    EXPECT_EQ(page().State(kHndpBar).position, 80);
    EXPECT_EQ(page().Selection(kPanelList), tft);
    EXPECT_TRUE(Shown().starts_with("Pixel clock should be set to  6.300 MHz.")) << Shown();

    const ConfigBlock before = doc.block;
    page().PickItem(kPanelList, EntryNamed("Custom panel"));
    EXPECT_EQ(std::memcmp(&before, &doc.block, sizeof before), 0);
    EXPECT_FALSE(Shown().starts_with("Pixel clock"));

    // With the panel's own pixel clock the configuration matches the panel.
    SetSetting(doc, ClkiTiming, 6300000);
    ShowTab(kPanelTab);
    EXPECT_EQ(page().Selection(kPanelList), tft);
}

// The in-house list: every panel, the ones the chip cannot drive marked.
class DebugPanelPage : public test::ShellFixture {
  protected:
    DebugPanelPage() {
        const std::string text = zlc::test::ReadText(std::string(ZLC_BIN_DIR) + "/PANELS.DEF");
        ReadPanelDefinitions(panels, PanelSource::DebugDef, text,
                             [](const std::string& m) { FAIL() << m; });
        ShowTab(kPanelTab);
    }
};

TEST_F(DebugPanelPage, NotesTheListOnceAndRefusesDisqualifiedPanels) {
    const std::string note = "Loaded DEBUG.DEF file.";
    EXPECT_TRUE(shell.state().diagnostics.shownText().starts_with(note));
    page().TypeAndLeave(kHndp, "136"); // the note stays until the list reports
    EXPECT_TRUE(shell.state().diagnostics.shownText().starts_with(note));

    int disqualified = 0;
    while (!page().ItemText(kPanelList, disqualified).starts_with("**")) {
        ++disqualified;
    }
    const ConfigBlock before = doc.block;
    page().PickItem(kPanelList, disqualified);
    EXPECT_EQ(std::memcmp(&before, &doc.block, sizeof before), 0);
    EXPECT_TRUE(host.highlighted);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(page().Selection(kPanelList), disqualified);
    EXPECT_FALSE(shell.state().diagnostics.shownText().starts_with(note));

    ShowTab(kClocksTab);
    ShowTab(kPanelTab);
    EXPECT_FALSE(shell.state().diagnostics.shownText().starts_with(note));
}

TEST_F(PanelPages, PowerDelaysAreSixteenBitMilliseconds) {
    ShowTab(kPanelPowerTab);
    EXPECT_EQ(page().State(1602).textLimit, 5);
    page().TypeAndLeave(1603, "65536");
    EXPECT_EQ(Shown(), "ERROR: \"65536\" is not a valid LCD Pwr Off Time!");
    EXPECT_EQ(page().focusRequest, 1603);
    page().TypeAndLeave(1603, "65535");
    EXPECT_EQ(GetSetting(doc, LcdPowerOffTime), 65535u);
    EXPECT_FALSE(host.highlighted);
    page().TypeAndLeave(1602, "20");
    EXPECT_EQ(GetSetting(doc, LcdPowerOnTime), 20u);

    EXPECT_TRUE(page().IsChecked(1601));
    page().Click(1601);
    EXPECT_EQ(GetSetting(doc, HardwarePowerSave), 0u);
    ShowTab(kPanelTab);
    ShowTab(kPanelPowerTab);
    EXPECT_FALSE(page().IsChecked(1601));
    EXPECT_EQ(page().GetText(1603), "65535");
}

} // namespace
} // namespace zlc::ui

#include "panels/PanelSelection.h"

#include "model/SettingsTable.h"
#include "panels/PanelText.h"
#include "support/TempDir.h"

#include <cstring>
#include <gtest/gtest.h>

namespace zlc {
namespace {

using namespace SettingId;
using test::PanelLine;
using test::Read;
using Kind = PanelApplyOutcome::Kind;

bool SameBlock(const ConfigDocument& a, const ConfigDocument& b) {
    return std::memcmp(&a.block, &b.block, sizeof a.block) == 0;
}

// A document whose clock gives the pixel clock a panel asks for.
ConfigDocument ClockedFor(int32_t pclkKHz) {
    ConfigDocument doc;
    SetSetting(doc, ClkiTiming, static_cast<uint32_t>(pclkKHz) * 1000);
    return doc;
}

PanelList ShippedPanels(PanelSource source) {
    PanelList list;
    ReadPanelDefinitions(list, source, test::ReadText(std::string(ZLC_BIN_DIR) + "/PANELS.DEF"),
                         {});
    return list;
}

TEST(PanelMatching, ValuesAgreeWhenEqualOrEitherIsNegative) {
    const PanelDefinition r = Read(PanelLine("R"), PanelSource::DebugDef).list.PanelAt(0);
    EXPECT_TRUE(PanelMatches(r, r));

    const auto matches = [&](const std::vector<std::pair<int, std::string>>& changes) {
        return PanelMatches(Read(PanelLine("D", changes), PanelSource::DebugDef).list.PanelAt(0),
                            r);
    };
    // Equality is required of type, size, data width and pixel clock.
    EXPECT_FALSE(matches({{2, "STN"}}));
    EXPECT_FALSE(matches({{3, "640"}}));
    EXPECT_FALSE(matches({{6, "9"}}));
    EXPECT_FALSE(matches({{11, "6301"}}));
    // Agreement for flags and the non-display periods.
    EXPECT_FALSE(matches({{18, "H"}}));
    EXPECT_TRUE(matches({{18, "n"}, {21, "?"}, {22, "T"}}));
    EXPECT_FALSE(matches({{23, "88"}}));
    EXPECT_TRUE(matches({{23, "-1"}}));
    EXPECT_FALSE(matches({{12, "61"}}));
    // Start positions and the timings behind them count only for non-STN panels.
    EXPECT_FALSE(matches({{16, "24"}}));
    EXPECT_FALSE(matches({{19, "5"}}));
    EXPECT_FALSE(matches({{17, "51"}}));
    EXPECT_FALSE(matches({{13, "31"}}));
    EXPECT_TRUE(matches({{16, "-334"}})); // the start less timing13 and width of the reference

    PanelDefinition stn = r;
    stn.type = PanelType::STN;
    PanelDefinition d = stn;
    d.fplineStart = 24;
    d.fpframeStart = 5;
    d.timing17 = 1;
    d.timing20 = 1;
    d.needsTft2x = 1;
    EXPECT_TRUE(PanelMatches(d, stn));
    d.timing15 = 1;
    EXPECT_FALSE(PanelMatches(d, stn));
}

TEST(PanelMatching, ConfigurationCannotKnowTheComparedOnlyTimings) {
    const PanelList list = Read(PanelLine("TFT panel")).list;
    ConfigDocument doc = ClockedFor(6300);
    PanelSelection selection(list);
    ASSERT_EQ(selection.ApplySelectedPanel(doc, 0).kind, Kind::Applied);

    const PanelDefinition r = ReferenceDefinition(doc);
    EXPECT_EQ(r.timing13, kPanelNotApplicable);
    EXPECT_EQ(r.timing20, kPanelNotApplicable);
    EXPECT_EQ(r.pclkKHz, 6300);
    // timing13 30, timing15 3, timing17 50 and timing20 15 cannot be equal to
    // the reference's; they agree with it.
    EXPECT_TRUE(PanelMatches(list.PanelAt(0), r));
}

TEST(PanelList, FillsEntriesAndShowsTheDebugNoteOnce) {
    const std::string text = PanelLine("Good") + PanelLine("Bad", {{23, "8"}});
    const PanelList debug = Read(text, PanelSource::DebugDef).list;
    PanelSelection selection(debug);
    const PanelListContents first = selection.FillPanelList();
    EXPECT_EQ(first.entries, (std::vector<std::string>{"Good", "**Bad", "Custom panel"}));
    EXPECT_EQ(first.debugNote, "Loaded DEBUG.DEF file.  Note that panels prefixed with ** "
                               "shouldn't work with 62740.\n");
    EXPECT_TRUE(selection.debugNoteShown());
    EXPECT_EQ(selection.FillPanelList().debugNote, "");
    EXPECT_EQ(selection.CustomPanelEntry(), 2);

    const PanelList users = Read(text).list;
    EXPECT_EQ(PanelSelection(users).FillPanelList().entries,
              (std::vector<std::string>{"Good", "Custom panel"}));
    EXPECT_EQ(PanelSelection(users).FillPanelList().debugNote, "");

    const PanelList empty = Read("", PanelSource::DebugDef).list;
    PanelSelection none(empty);
    const PanelListContents nothing = none.FillPanelList();
    EXPECT_TRUE(nothing.entries.empty()); // not even "Custom panel"
    EXPECT_NE(nothing.debugNote, "");
    ConfigDocument doc;
    EXPECT_EQ(none.SelectMatchingPanel(doc), std::nullopt);
    EXPECT_EQ(none.ApplySelectedPanel(doc, 0).kind, Kind::Refreshed);
}

TEST(PanelSearch, StartsAtTheLastPanelAndFallsBackToCustom) {
    // Two panels that describe the same configuration, and a third.
    const PanelList list =
        Read(PanelLine("First") + PanelLine("Twin") + PanelLine("Other", {{23, "96"}})).list;
    ConfigDocument doc = ClockedFor(6300);
    PanelSelection selection(list);
    ASSERT_EQ(selection.ApplySelectedPanel(doc, 1).kind, Kind::Applied);
    EXPECT_EQ(selection.lastPanelIndex(), 1);
    EXPECT_FALSE(selection.panelMatchPending());
    EXPECT_EQ(selection.SelectMatchingPanel(doc), std::nullopt); // no search is due

    selection.RequestMatch();
    EXPECT_EQ(selection.SelectMatchingPanel(doc), 1);
    EXPECT_FALSE(selection.panelMatchPending());
    PanelSelection fresh(list);
    EXPECT_EQ(fresh.SelectMatchingPanel(doc), 0);

    SetSetting(doc, HorzNonDisplay, 96);
    selection.RequestMatch();
    EXPECT_EQ(selection.SelectMatchingPanel(doc), 2);

    SetSetting(doc, HorzNonDisplay, 104);
    selection.RequestMatch();
    EXPECT_EQ(selection.SelectMatchingPanel(doc), 3);
    EXPECT_EQ(selection.lastPanelIndex(), -1);
    EXPECT_TRUE(selection.panelMatchPending());
    // Still pending: the next change searches again from the first panel.
    SetSetting(doc, HorzNonDisplay, 80);
    EXPECT_EQ(selection.SelectMatchingPanel(doc), 0);
}

TEST(PanelSearch, DisqualifiedPanelsNeverMatch) {
    const PanelList list =
        Read(PanelLine("Hidden", {{7, "T"}}) + PanelLine("Shown"), PanelSource::DebugDef).list;
    const ConfigDocument doc = [&] {
        ConfigDocument d = ClockedFor(6300);
        PanelSelection(list).ApplySelectedPanel(d, 1);
        return d;
    }();
    EXPECT_EQ(PanelSelection(list).SelectMatchingPanel(doc), 1);
}

TEST(PanelApply, SetsThePanelSettingsAndNotesThePixelClock) {
    const PanelList list =
        Read(PanelLine("STN", {},
                       {"STN", "640", "480", "F", "8", "n", "2", "T", "F", "25000", "73", "n",
                        "704", "n",   "8",   "0", "n", "5", "0", "H", "T", "64",    "2"}))
            .list;
    ConfigDocument doc; // 320x240 colour TFT at 6 MHz
    PanelSelection selection(list);
    bool refreshedWhileBusy = false;
    const PanelApplyOutcome outcome = selection.ApplySelectedPanel(doc, 0, [&] {
        refreshedWhileBusy = !selection.panelApplyIdle();
        // A search asked for now would find nothing due.
        selection.RequestMatch();
        EXPECT_EQ(selection.SelectMatchingPanel(doc), std::nullopt);
        SetSetting(doc, BitsPerPixel, 1); // the line byte count follows this
    });
    EXPECT_EQ(outcome.kind, Kind::Applied);
    EXPECT_EQ(outcome.message, "Pixel clock should be set to 25.000 MHz.\n");
    EXPECT_TRUE(refreshedWhileBusy);
    EXPECT_TRUE(selection.panelApplyIdle());

    EXPECT_EQ(GetSetting(doc, TftStn), 0u);
    EXPECT_EQ(GetSetting(doc, HorzPanelSize), 640u);
    EXPECT_EQ(GetSetting(doc, VertPanelSize), 480u);
    EXPECT_EQ(GetSetting(doc, ColorMono), 1u);
    EXPECT_EQ(GetSetting(doc, DataWidthBits), 8u);
    EXPECT_EQ(GetSetting(doc, PanelDataFormat), 1u); // format 2 survives the width change
    EXPECT_EQ(GetSetting(doc, FplinePolarity), 0u);  // not applicable
    EXPECT_EQ(GetSetting(doc, FplineStart), 16u);    // the setting's least
    EXPECT_EQ(GetSetting(doc, FpframeStart), 5u);
    EXPECT_EQ(GetSetting(doc, FpframePolarity), 1u);
    EXPECT_EQ(GetSetting(doc, MaskFpshift), 1u);
    EXPECT_EQ(GetSetting(doc, HorzNonDisplay), 64u);
    EXPECT_EQ(GetSetting(doc, VertNonDisplay), 2u);
    EXPECT_EQ(GetSetting(doc, PixelClock), 6000000u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 80u);

    // The list shows the applied panel although the configuration's pixel
    // clock does not match it; a later search gives "Custom panel".
    selection.RequestMatch();
    EXPECT_EQ(selection.SelectMatchingPanel(doc), 1);

    const PanelList tft = Read(PanelLine("TFT", {{11, "6000"}})).list;
    EXPECT_EQ(PanelSelection(tft).ApplySelectedPanel(doc, 0).message, "");
    const PanelList slow = Read(PanelLine("TFT", {{11, "500"}})).list;
    EXPECT_EQ(PanelSelection(slow).ApplySelectedPanel(doc, 0).message,
              "Pixel clock should be set to  0.500 MHz.\n");
}

TEST(PanelApply, CustomPanelAndDisqualifiedPanelsChangeNothing) {
    const PanelList list = Read(PanelLine("Good", {{3, "640"}}) + PanelLine("Bad", {{2, "D-TFD"}}),
                                PanelSource::DebugDef)
                               .list;
    const ConfigDocument before;
    ConfigDocument doc;
    PanelSelection selection(list);
    bool refreshed = false;
    for (const int entry : {2, 3, -1}) { // "Custom panel", beyond it, no selection
        const PanelApplyOutcome outcome =
            selection.ApplySelectedPanel(doc, entry, [&] { refreshed = true; });
        EXPECT_EQ(outcome.kind, Kind::Refreshed);
        EXPECT_EQ(outcome.message, "");
    }
    EXPECT_EQ(selection.lastPanelIndex(), -1);
    EXPECT_TRUE(selection.panelMatchPending());

    const PanelApplyOutcome rejected =
        selection.ApplySelectedPanel(doc, 1, [&] { refreshed = true; });
    EXPECT_EQ(rejected.kind, Kind::Rejected);
    EXPECT_EQ(rejected.message, "Bad is disqualified: it is a D-TFD.\n");
    EXPECT_EQ(selection.lastPanelIndex(), 1);
    EXPECT_FALSE(selection.panelMatchPending());
    EXPECT_FALSE(refreshed);
    EXPECT_TRUE(SameBlock(doc, before));
}

TEST(ShippedPanels, EachAppliedPanelIsMatchedBack) {
    const PanelList list = ShippedPanels(PanelSource::PanelsDef);
    ASSERT_GE(list.PanelCount(), 12);
    EXPECT_EQ(PanelFileMessages(list), "");
    for (int index = 0; index < list.PanelCount(); ++index) {
        const PanelDefinition& d = list.PanelAt(index);
        ConfigDocument doc = ClockedFor(d.pclkKHz);
        PanelSelection selection(list);
        const PanelApplyOutcome outcome = selection.ApplySelectedPanel(doc, index);
        EXPECT_EQ(outcome.kind, Kind::Applied) << d.name;
        EXPECT_EQ(outcome.message, "") << d.name;
        selection.RequestMatch();
        EXPECT_EQ(selection.SelectMatchingPanel(doc), index) << d.name;
        // No two shipped panels describe the same configuration, so even a
        // search from the first panel finds this one.
        EXPECT_EQ(PanelSelection(list).SelectMatchingPanel(doc), index) << d.name;
    }
}

TEST(ShippedPanels, ReadAsDebugDefTheyShowEveryKindOfFault) {
    const PanelList list = ShippedPanels(PanelSource::DebugDef);
    std::string reasons;
    int disqualified = 0;
    for (const PanelDefinition& d : list.definitions) {
        disqualified += d.disqualified ? 1 : 0;
        reasons += d.reason;
    }
    EXPECT_EQ(list.PanelCount() - disqualified, ShippedPanels(PanelSource::PanelsDef).PanelCount());
    for (const char* fault : {"There is no information on", " it is a D-TFD", " more than 80K",
                              " it is an EL", " TFT 2x", " FPLINEStart < 16", " HNDP < 32"}) {
        EXPECT_NE(reasons.find(fault), std::string::npos) << fault;
    }
}

} // namespace
} // namespace zlc

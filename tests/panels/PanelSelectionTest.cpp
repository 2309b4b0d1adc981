#include "panels/PanelSelection.h"

#include "cases/CaseFile.h"
#include "model/SettingsTable.h"
#include "panels/PanelText.h"
#include "support/TempDir.h"

#include <cstring>

namespace zlc::test {
namespace {

using namespace SettingId;
using Kind = PanelApplyOutcome::Kind;

PanelDefinition Panel(const Case& c, const std::string& key) {
    return Read(PanelLine("P", c.Or(key, "")), PanelSource::DebugDef).PanelAt(0);
}

class PanelMatching : public ::testing::TestWithParam<Case> {};
TEST_P(PanelMatching, ValuesAgreeWhenEqualOrEitherIsNegative) {
    EXPECT_EQ(PanelMatches(Panel(GetParam(), "changes"), Panel(GetParam(), "reference")),
              GetParam().Number("matches") != 0);
}
ZLC_CASES(PanelMatching, "panels/matching.txt");

TEST(PanelSelection, ListsEntriesAndAppliesNeitherCustomNorDisqualifiedPanels) {
    const std::string text = PanelLine("Good", "3=640") + PanelLine("Bad", "2=D");
    const PanelList debug = Read(text, PanelSource::DebugDef);
    PanelSelection selection(debug);
    const PanelListContents first = selection.FillPanelList();
    EXPECT_EQ(first.entries, (std::vector<std::string>{"Good", "**Bad", "Custom panel"}));
    EXPECT_EQ(first.debugNote, "Loaded DEBUG.DEF file.  Note that panels prefixed with ** "
                               "shouldn't work with 62740.\n");
    EXPECT_EQ(selection.FillPanelList().debugNote, ""); // once only
    const PanelList panels = Read(text);                // PANELS.DEF: no note
    EXPECT_EQ(PanelSelection(panels).FillPanelList().debugNote, "");

    const ConfigDocument before;
    ConfigDocument doc;
    for (const int entry : {2, 3, -1}) { // "Custom panel", beyond it, no selection at all
        EXPECT_EQ(selection.ApplySelectedPanel(doc, entry).kind, Kind::Refreshed);
    }
    const PanelApplyOutcome rejected = selection.ApplySelectedPanel(doc, 1);
    EXPECT_EQ(rejected.kind, Kind::Rejected);
    EXPECT_EQ(rejected.message, "Bad is disqualified: it is a D-TFD.\n");
    EXPECT_EQ(selection.lastPanelIndex(), 1);
    EXPECT_EQ(std::memcmp(&doc.block, &before.block, sizeof doc.block), 0);

    const PanelList empty = Read("", PanelSource::DebugDef);
    PanelSelection none(empty);
    EXPECT_TRUE(none.FillPanelList().entries.empty()); // not even "Custom panel"
    EXPECT_EQ(none.SelectMatchingPanel(doc), std::nullopt);
}

TEST(PanelSelection, SearchStartsAtTheLastPanelAndFallsBackToCustom) {
    // Two panels that describe the same configuration, a third, and a
    // disqualified twin first of all.
    const PanelList list = Read(PanelLine("Hidden", "7=T") + PanelLine("First") +
                                    PanelLine("Twin") + PanelLine("Other", "23=96"),
                                PanelSource::DebugDef);
    ConfigDocument doc;
    SetSetting(doc, ClkiTiming, 6300000);
    PanelSelection selection(list);
    ASSERT_EQ(selection.ApplySelectedPanel(doc, 2).kind, Kind::Applied);
    EXPECT_EQ(selection.SelectMatchingPanel(doc), std::nullopt); // no search is due
    selection.RequestMatch();
    EXPECT_EQ(selection.SelectMatchingPanel(doc), 2);
    EXPECT_FALSE(selection.panelMatchPending());
    EXPECT_EQ(PanelSelection(list).SelectMatchingPanel(doc), 1);

    for (const auto& [hndp, found] : {std::pair{96, 3}, {104, 4}}) {
        SetSetting(doc, HorzNonDisplay, hndp);
        selection.RequestMatch();
        EXPECT_EQ(selection.SelectMatchingPanel(doc), found);
    }
    EXPECT_EQ(selection.lastPanelIndex(), -1);
    SetSetting(doc, HorzNonDisplay, 80); // still pending: searches from the first panel
    EXPECT_EQ(selection.SelectMatchingPanel(doc), 1);
}

TEST(PanelSelection, ApplySetsThePanelSettingsAndNotesThePixelClock) {
    const PanelList list = Read("PANEL \"C\" STN 640 480 F 8 F 2 T F 25000 60 30 400 3 8 50 n "
                                "5 15 H T 64 2\n" +
                                PanelLine("Slow", "11=500"));
    PanelSelection selection(list);
    ConfigDocument doc; // 320x240 colour TFT at 6 MHz
    bool busy = false;
    const PanelApplyOutcome outcome = selection.ApplySelectedPanel(doc, 0, [&] {
        busy = !selection.panelApplyIdle();
        selection.RequestMatch();         // no search while the panel is applied
        SetSetting(doc, BitsPerPixel, 1); // the line byte count follows this
    });
    EXPECT_EQ(outcome.kind, Kind::Applied);
    EXPECT_EQ(outcome.message, "Pixel clock should be set to 25.000 MHz.\n");
    EXPECT_TRUE(busy && selection.panelApplyIdle());
    EXPECT_FALSE(selection.panelMatchPending());
    // Read back: format 2 survives the data width change; "not applicable" sets 0.
    const PanelDefinition applied = ReferenceDefinition(doc);
    for (const auto& [field, value] :
         ParseChanges("2=1 3=640 4=480 6=8 8=1 9=1 11=6000 16=16 18=0 19=5 21=1 22=1 23=64 24=2")) {
        EXPECT_EQ(Field(applied, field), std::stoi(value)) << "field " << field;
    }
    EXPECT_EQ(GetSetting(doc, LineByteCount), 0u); // landscape, as the HAL programs it
    EXPECT_EQ(selection.ApplySelectedPanel(doc, 1).message,
              "Pixel clock should be set to  0.500 MHz.\n");
}

// A configuration cannot know timing13, 15, 17 and 20, so the reference
// built from it holds "not applicable" there; they must still agree.
TEST(ShippedPanels, EachAppliedPanelIsMatchedBack) {
    const PanelList list = Read(ReadText(std::string(ZLC_BIN_DIR) + "/PANELS.DEF"));
    ASSERT_GE(list.PanelCount(), 12);
    EXPECT_EQ(PanelFileMessages(list), "");
    for (int index = 0; index < list.PanelCount(); ++index) {
        ConfigDocument doc; // clocked for the pixel clock the panel asks for
        SetSetting(doc, ClkiTiming, static_cast<uint32_t>(list.PanelAt(index).pclkKHz) * 1000);
        PanelSelection selection(list);
        EXPECT_EQ(selection.ApplySelectedPanel(doc, index).message, "");
        selection.RequestMatch();
        EXPECT_EQ(selection.SelectMatchingPanel(doc), index);
        // No two shipped panels describe one configuration.
        EXPECT_EQ(PanelSelection(list).SelectMatchingPanel(doc), index);
    }
}

} // namespace
} // namespace zlc::test

// Page cases that need more than a user's actions: a document changed behind
// the page, and the in-house panel list. The rest are in PageScriptTest.
#include "ShellFixture.h"
#include "support/TempDir.h"

#include <cstring>

namespace zlc::ui {
namespace {

using Pages = test::ShellFixture;

constexpr int kGeneral = 0, kClocks = 2, kPanel = 3, kPanelList = 1530;

TEST_F(Pages, GeneralPageFollowsThePlatformOfTheAddresses) {
    doc.block.physMemAddr = 0x00F00000;
    doc.block.physRegAddr = 0x00F1FFE0;
    ShowTab(kGeneral);
    EXPECT_TRUE(page().IsChecked(1201));
    EXPECT_FALSE(page().IsEnabled(1208));

    // User-Defined wins over the Rev. 2 board when both match.
    doc.block.physMemAddr = 0;
    doc.block.physRegAddr = 0;
    ShowTab(kGeneral);
    EXPECT_TRUE(page().IsChecked(1202));
    shell.state().userDefined = {0, 0};
    ShowTab(kGeneral);
    EXPECT_TRUE(page().IsChecked(1206));
    EXPECT_FALSE(page().IsChecked(1202));
}

TEST_F(Pages, ClocksPageShowsAFileWithoutAClock) {
    doc.block.clkiKHz = 0;
    ShowTab(kClocks);
    EXPECT_EQ(page().GetText(1404), " 0:1");
}

// The in-house list: every panel, the ones the chip cannot drive marked.
TEST_F(Pages, DebugPanelListIsNotedOnceAndRefusesDisqualifiedPanels) {
    const std::string text = zlc::test::ReadText(std::string(ZLC_BIN_DIR) + "/PANELS.DEF");
    ReadPanelDefinitions(panels, PanelSource::DebugDef, text,
                         [](const std::string& m) { FAIL() << m; });
    ShowTab(kPanel);
    const std::string note = "Loaded DEBUG.DEF file.";
    EXPECT_TRUE(host.diagnosticsText.starts_with(note));
    page().TypeAndLeave(1516, "136"); // the note stays until the list reports
    EXPECT_TRUE(host.diagnosticsText.starts_with(note));

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
    EXPECT_FALSE(host.diagnosticsText.starts_with(note));

    ShowTab(kClocks);
    ShowTab(kPanel);
    EXPECT_FALSE(host.diagnosticsText.starts_with(note));
}

} // namespace
} // namespace zlc::ui

#include "FakeHosts.h"
#include "model/SettingsTable.h"
#include "ui/AppIdentity.h"

#include <cstdio>

namespace zlc::ui {
namespace {

using namespace SettingId;

using ShellTest = test::ShellFixture;

TEST_F(ShellTest, StartsOnTheGeneralPageWithTheDocumentBroughtInLine) {
    EXPECT_EQ(host.title, "ZLC62740 Configuration Utility  (Build 9)");
    EXPECT_EQ(shell.currentTab(), 0);
    EXPECT_EQ(GetSetting(doc, FrameRate), 53u);
    EXPECT_EQ(GetSetting(doc, LineByteCount), 0u); // landscape: as the HAL leaves it
    EXPECT_EQ(host.tooltipDelay, 250);
    EXPECT_EQ(host.diagnosticsText, ""); // empty until the first report
}

TEST_F(ShellTest, MenusFollowTheOpenFile) {
    MenuState menu = shell.Menu();
    EXPECT_FALSE(menu.saveEnabled);
    EXPECT_EQ(menu.checkedDelayCommand, Commands::FirstTooltipDelay + 1);

    shell.Command(Commands::FirstTooltipDelay + 5);
    EXPECT_EQ(shell.Menu().checkedDelayCommand, Commands::FirstTooltipDelay + 5);
    EXPECT_EQ(host.tooltipDelay, 5000);

    EXPECT_FALSE(shell.TooltipText(203).empty());
    shell.Command(Commands::EnableTooltips);
    EXPECT_FALSE(shell.Menu().tooltipsChecked);
    EXPECT_EQ(shell.TooltipText(203), "");

    shell.Command(Commands::Web);
    EXPECT_EQ(host.openedUrls, std::vector<std::string>{kMakerUrl});
}

TEST_F(ShellTest, OpenLoadsTheFileAndRemakesThePage) {
    ConfigBlock block = DefaultConfigBlock();
    block.physMemAddr = 0x10E00000;
    block.physRegAddr = 0x10E1FFE0;
    const std::string path = Program("program.EXE", block);
    host.AnswerFile(path);
    shell.Command(Commands::Open);

    ASSERT_EQ(host.fileRequests.size(), 1u);
    EXPECT_EQ(host.fileRequests[0].title, "Open");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(shell.currentFileName(), path);
    EXPECT_EQ(host.title, "program.EXE - ZLC62740 Configuration Utility  (Build 9)");
    EXPECT_TRUE(host.page->IsChecked(1204));
    EXPECT_TRUE(shell.Menu().saveEnabled);
}

TEST_F(ShellTest, OpenOfAFileWithoutABlockChangesNothing) {
    SetSetting(doc, HorzPanelSize, 640);
    zlc::test::WriteFile(dir / "empty.exe", std::vector<uint8_t>(500, 0));
    host.AnswerFile(dir / "empty.exe");
    shell.Command(Commands::Open);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.title, "ZLC62740 Configuration Utility  (Build 9)");
    EXPECT_EQ(GetSetting(doc, HorzPanelSize), 640u);

    host.AnswerFile(std::nullopt); // cancelled
    shell.Command(Commands::Open);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(ShellTest, OpenClearsAPendingInputError) {
    host.page->Click(1206);
    host.page->TypeAndLeave(1208, "zz");
    ASSERT_NE(shell.state().diagnostics.pendingErrorControl, 0);
    host.AnswerFile(Program("program.EXE"));
    shell.Command(Commands::Open);
    EXPECT_EQ(shell.state().diagnostics.pendingErrorControl, 0);
    EXPECT_EQ(host.diagnosticsText, "");
    EXPECT_TRUE(shell.RequestTab(2));
}

TEST_F(ShellTest, SaveAndSaveAs) {
    const std::string path = Program("program.EXE");
    host.AnswerFile(path);
    shell.Command(Commands::Open);
    SetSetting(doc, HorzPanelSize, 640);

    shell.Command(Commands::Save);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(host.messages[0].text, "Configuration data saved in file \"" + path + "\".");

    const std::string copy = path + ".copy.exe";
    host.AnswerFile(copy);
    shell.Command(Commands::SaveAs);
    std::remove(copy.c_str());
    EXPECT_EQ(host.fileRequests.back().title, "Save As");
    EXPECT_EQ(host.fileRequests.back().initialName, path);
    EXPECT_EQ(host.fileRequests.back().filters[0].patterns, "*.EXE");
    EXPECT_EQ(shell.currentFileName(), copy);
    EXPECT_EQ(host.messages.back().text, "Configuration data saved in file \"" + copy + "\".");

    // The copy is gone now: saving fails, and the file name stays with Save
    // and Save As, the ways to keep the work.
    SetSetting(doc, HorzPanelSize, 320);
    shell.DocumentChanged();
    shell.Command(Commands::Save);
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Warning);
    EXPECT_EQ(shell.currentFileName(), copy);
    EXPECT_TRUE(shell.Menu().saveEnabled);
    EXPECT_EQ(host.title, "program.EXE.copy.exe* - ZLC62740 Configuration Utility  (Build 9)");
}

// The mark follows whether the document differs from its file, and only a
// successful save or open takes it away.
TEST_F(ShellTest, TheTitleMarksADocumentThatDiffersFromItsFile) {
    ShowTab(3);
    page().TypeAndLeave(1514, "640");
    EXPECT_EQ(host.title, "ZLC62740 Configuration Utility  (Build 9)*");
    page().TypeAndLeave(1514, "320");
    EXPECT_EQ(host.title, "ZLC62740 Configuration Utility  (Build 9)");
    page().TypeAndLeave(1514, "640");
    const std::string path = Program("program.EXE");
    host.saveAnswer = SaveAnswer::Discard;
    host.AnswerFile(path);
    shell.Command(Commands::Open);
    EXPECT_EQ(host.questions,
              std::vector<std::string>{"Save changes to the configuration before closing?"});
    EXPECT_EQ(host.title, "program.EXE - ZLC62740 Configuration Utility  (Build 9)");
    EXPECT_FALSE(shell.IsModified());
    EXPECT_TRUE(shell.QueryClose()); // nothing to ask about
    EXPECT_EQ(host.questions.size(), 1u);
}

TEST_F(ShellTest, SaveAsFiltersFollowTheExtension) {
    EXPECT_EQ(SaveAsFilters("/x/a.Lvb")[0].patterns, "*.LVB");
    EXPECT_EQ(SaveAsFilters("/x/a").size(), 1u);
    EXPECT_EQ(SaveAsFilters("/x.y/a").size(), 1u);
    EXPECT_EQ(SaveAsFilters("/x/a.txt")[0].patterns, "*.*");
}

TEST_F(ShellTest, DroppedFilesGoToConfigureMultiple) {
    const std::vector<std::string> dropped = {"/c.prc", "/a.exe", "/b.s9"};
    shell.DropFiles(dropped);
    ASSERT_NE(host.dialog, nullptr);
    EXPECT_EQ(host.dialog->State(2202).items,
              (std::vector<std::string>{"/a.exe", "/b.s9", "/c.prc"}));
    EXPECT_EQ(shell.currentFileName(), "");
}

TEST_F(ShellTest, ThePanelFileTakesPartInDiagnosticsAndTooltips) {
    panels.loaded = true;
    panels.fileVersion = 1;
    doc.SetRegister(0x14, 0x01);
    shell.state().diagnostics.Update(1102, DIAG_FORCE);
    // Between the errors and the warnings of the validation.
    EXPECT_EQ(host.diagnosticsText,
              "ERROR: Version 2 of PANELS.DEF is required (you are currently using version 1)."
              "\r\nWarning: REG[14h] bit 0 set, but should be RESERVED.");
    EXPECT_TRUE(host.highlighted);

    EXPECT_TRUE(shell.TooltipText(1530).starts_with("Selects from a list of predefined panels"));
    panels.source = PanelSource::DebugDef;
    EXPECT_TRUE(shell.TooltipText(1530).starts_with("Since you are using DEBUG.DEF"));
}

TEST_F(ShellTest, TheDiagnosticsTextIsBoundedAndNothingIsShownWithoutABox) {
    Diagnostics& diagnostics = shell.state().diagnostics;
    diagnostics.Update(1, DIAG_NOT_STICKY, std::string(5000, 'x'));
    EXPECT_EQ(diagnostics.shownText().size(), Diagnostics::kTextLimit - 1);
    diagnostics.Update(2, DIAG_STICKY, std::string(300, 'y') + "\n");
    EXPECT_EQ(diagnostics.stickyMessage().size(), Diagnostics::kStickyLimit);

    Diagnostics detached(doc);
    EXPECT_EQ(detached.Update(1, DIAG_ERROR, "x"), 0u);
}

TEST_F(ShellTest, ClosingSilencesThePages) {
    host.page->Click(1206);
    shell.Close();
    EXPECT_EQ(host.page, nullptr);
    EXPECT_EQ(shell.state().diagnostics.Update(1208, DIAG_ERROR, "late\n"), 0u);
}

} // namespace
} // namespace zlc::ui

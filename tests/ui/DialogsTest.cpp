#include "FakeHosts.h"
#include "export/Export.h"
#include "files/ConfigFile.h"
#include "model/SettingsTable.h"
#include "ui/AboutDialog.h"
#include "ui/ConfigureMultipleDialog.h"
#include "ui/ExportDialog.h"
#include "ui/ToolkitCheck.h"

#include <filesystem>
#include <sys/stat.h>

namespace zlc::ui {
namespace {

namespace fs = std::filesystem;
using namespace ConfigureIds;
using test::FakeDialogHost;

class DialogsTest : public test::ShellFixture {
  protected:
    DialogsTest() {
        shell.exportSession().previewBase = dir.path() + "/runtime";
        shell.configureDirectory() = dir.path();
    }

    // Runs File > Export, picks `target` in the list and presses Export As;
    // `saveAs` plays the Save As dialog.
    void Export(int target,
                std::function<std::optional<std::string>(const FileDialogRequest&)> saveAs) {
        host.dialogScripts.push_back([target](FakeDialogHost& d) {
            d.PickItem(ExportIds::TargetList, target);
            d.Click(kIdOk);
        });
        host.fileScripts.push_back(std::move(saveAs));
        shell.Command(Commands::Export);
    }

    // Presses Preview in the Save As dialog of `target`, which stays as it
    // was, and then Cancel.
    void Preview(int target) {
        Export(target, [](const FileDialogRequest& request) {
            EXPECT_EQ(request.buttons[0].onClick(), std::nullopt);
            return std::optional<std::string>();
        });
    }

    std::string PreviewDirectory() const { return dir.path() + "/runtime/62740CFG"; }
};

// --- Configure Multiple

TEST_F(DialogsTest, ConfigureRefusesAnEmptyListAndStaysOpen) {
    host.dialogScripts.push_back([this](FakeDialogHost& d) {
        d.Click(Configure);
        EXPECT_FALSE(d.endResult.has_value());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    });
    shell.Command(Commands::ConfigureMultiple);
}

TEST_F(DialogsTest, ConfigureSavesEveryFileAndSummarisesOkAndError) {
    const std::string good = Program("a.exe");
    const std::string bad = dir / "b.exe"; // no block inside
    zlc::test::WriteFile(bad, std::vector<uint8_t>(512, 0x11));
    zlc::test::SetOldTimes(bad);
    const auto before = zlc::test::FileState::Of(bad);
    SetSetting(doc, SettingId::HorzPanelSize, 640);
    SetSetting(doc, SettingId::PhysMemAddr, 0x00200000);
    SetSetting(doc, SettingId::PhysRegAddr, 0x0021FFE0);

    host.dialogScripts.push_back([](FakeDialogHost& d) {
        d.Click(AddAll);
        d.Click(PreserveAddresses);
        d.Click(Configure);
    });
    shell.Command(Commands::ConfigureMultiple);

    ASSERT_EQ(host.messages.size(), 2u); // the failure at once, then the summary
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Information);
    EXPECT_EQ(host.messages[1].text,
              "Summary of configured files:\n\nOK\t" + good + "\nError\t" + bad + "\n");
    EXPECT_EQ(host.progress, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));
    EXPECT_EQ(zlc::test::FileState::Of(bad), before);
    ConfigDocument loaded;
    ASSERT_TRUE(LoadConfigFile(loaded, good).ok);
    EXPECT_EQ(GetSetting(loaded, SettingId::HorzPanelSize), 640u);
    // Both of the file's addresses are kept: they are one platform's pair.
    EXPECT_EQ(loaded.block.physMemAddr, DefaultConfigBlock().physMemAddr);
    EXPECT_EQ(loaded.block.physRegAddr, DefaultConfigBlock().physRegAddr);
    EXPECT_TRUE(host.dialog->State(2210).enabled); // enabled again before closing
    EXPECT_EQ(host.dialog->endResult, kIdOk);
}

TEST_F(DialogsTest, BrowserListsFoldersAndConfigurableFilesAndMovesAbout) {
    fs::create_directory(dir / "sub");
    Program("sub/inner.PRC");
    Program("z.exe");
    zlc::test::WriteFile(dir / "notes.txt", std::string("x"));
    zlc::test::WriteFile(dir / "elfprog", std::string("\x7f"
                                                      "ELF rest"));
    zlc::test::WriteFile(dir / "script", std::string("#!/bin/sh"));

    host.dialogScripts.push_back([this](FakeDialogHost& d) {
        EXPECT_EQ(d.State(Directory).text, dir.path());
        EXPECT_EQ(d.State(Browser).items,
                  (std::vector<std::string>{"[..]", "[sub]", "elfprog", "z.exe"}));
        d.Click(ShowAll);
        EXPECT_EQ(
            d.State(Browser).items,
            (std::vector<std::string>{"[..]", "[sub]", "elfprog", "notes.txt", "script", "z.exe"}));
        d.PickItem(Browser, 1);
        d.Click(Add); // a folder: nothing happens
        EXPECT_TRUE(d.State(Selected).items.empty());
        d.PickItem(Browser, 5);
        d.Click(Add);
        d.DoubleClickItem(Browser, 5); // the same file again
        EXPECT_EQ(d.State(Selected).items, std::vector<std::string>{dir / "z.exe"});

        d.DoubleClickItem(Browser, 1); // into [sub]
        EXPECT_EQ(d.State(Directory).text, dir / "sub");
        EXPECT_EQ(d.State(Browser).items, (std::vector<std::string>{"[..]", "inner.PRC"}));
        d.DoubleClickItem(Browser, 0); // [..] goes back up
        EXPECT_EQ(d.State(Directory).text, dir.path());

        d.DropFiles({dir / "sub/inner.PRC", dir / "z.exe", dir / "Z.EXE"}); // z.exe is known
        EXPECT_EQ(d.State(Selected).items,
                  (std::vector<std::string>{dir / "sub/inner.PRC", dir / "z.exe", dir / "Z.EXE"}));
        d.DoubleClickItem(Selected, 0); // a double click removes
        EXPECT_EQ(d.State(Selected).items,
                  (std::vector<std::string>{dir / "z.exe", dir / "Z.EXE"}));
        d.Click(RemoveAll);
        EXPECT_TRUE(d.State(Selected).items.empty());
        d.DoubleClickItem(Browser, 1);
    });
    shell.Command(Commands::ConfigureMultiple);
    // The folder the user went to is where the next opening starts.
    EXPECT_EQ(shell.configureDirectory(), dir / "sub");
}

// --- Export

TEST_F(DialogsTest, OptionsSetTheModeNumberForTheRunAndAlwaysResetTheName) {
    Export(ExportTargetNumber::WinCeHeader, [this](const FileDialogRequest& request) {
        host.dialogScripts.push_back([](FakeDialogHost& d) {
            d.SetPosition(ExportIds::ModeNumber, 7); // seven presses of the up arrow
            d.Click(kIdOk);
        });
        EXPECT_EQ(request.buttons[1].onClick(), "mode7.h");
        host.dialogScripts.push_back([](FakeDialogHost& d) {
            EXPECT_EQ(d.State(ExportIds::ModeNumber).text, "7");
            d.SetPosition(ExportIds::ModeNumber, 9);
            d.Click(kIdCancel);
        });
        EXPECT_EQ(request.buttons[1].onClick(), "mode7.h");
        return std::optional<std::string>();
    });
    EXPECT_EQ(shell.exportSession().modeNumber, 7u);

    host.dialogScripts.push_back([](FakeDialogHost& d) {
        EXPECT_EQ(d.State(ExportIds::TargetList).items[2],
                  "C Header File for ZLC62740 WinCE Drivers \t\t[mode7.h]");
        d.DoubleClickItem(ExportIds::TargetList, 2);
    });
    host.AnswerFile(std::nullopt);
    shell.Command(Commands::Export);
    EXPECT_EQ(host.fileRequests.back().initialName, "mode7.h");
}

TEST_F(DialogsTest, OptionsAreOnlyForTheWinCeHeader) {
    for (int target = 0; target < kExportTargetCount; ++target) {
        Export(target, [](const FileDialogRequest&) { return std::optional<std::string>(); });
        const auto& buttons = host.fileRequests.back().buttons;
        ASSERT_EQ(buttons.size(), 2u);
        EXPECT_TRUE(buttons[0].enabled);
        EXPECT_EQ(buttons[1].enabled, target == ExportTargetNumber::WinCeHeader) << target;
    }
}

TEST_F(DialogsTest, PreviewWritesIntoThePrivateDirectoryAndOpensTheFile) {
    Preview(ExportTargetNumber::Csv);
    const std::string csv = PreviewDirectory() + "/zlc62740.csv";
    ASSERT_EQ(host.openedFiles.size(), 1u);
    EXPECT_EQ(host.openedFiles[0].path, csv);
    EXPECT_EQ(host.openedFiles[0].how, platform::OpenWith::TextEditor);
    EXPECT_EQ(zlc::test::ReadText(csv), ToCrLf(GenerateExport(doc, ExportTargetNumber::Csv, 9, 0)));
    struct stat status {};
    ASSERT_EQ(::lstat(PreviewDirectory().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);

    // The HTML reference goes to its associated program; an opener that
    // cannot start says which verb failed.
    host.openerWorks = false;
    Preview(ExportTargetNumber::Html);
    EXPECT_EQ(host.openedFiles.back().how, platform::OpenWith::AssociatedProgram);
    EXPECT_EQ(host.messages.back().text,
              "Failed to execute file " + PreviewDirectory() +
                  "/zlc62740.html\n\nxdg-open ended with exit status 4.");
}

TEST_F(DialogsTest, PreviewFollowsNoLinkPlantedForIt) {
    const std::string victim = dir / "victim";
    zlc::test::WriteFile(victim, std::string("keep me"));
    fs::create_directories(PreviewDirectory());
    fs::create_symlink(victim, PreviewDirectory() + "/appcfg.h");

    Preview(ExportTargetNumber::AppCfg);
    EXPECT_EQ(zlc::test::ReadText(victim), "keep me");
    EXPECT_FALSE(fs::is_symlink(PreviewDirectory() + "/appcfg.h"));
    EXPECT_TRUE(host.messages.empty());

    // A link in place of the directory itself is refused.
    fs::create_directory(dir / "elsewhere");
    fs::create_symlink(dir / "elsewhere", dir / "62740CFG");
    shell.exportSession().previewBase = dir.path();
    Preview(ExportTargetNumber::AppCfg);
    EXPECT_EQ(host.messages.back().text,
              "Failed to create file " + dir.path() + "/62740CFG/appcfg.h");
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
}

// --- About box and the toolkit check

TEST_F(DialogsTest, AboutBoxKeepsItsPictureForTheRun) {
    host.dialogScripts.push_back([](FakeDialogHost& d) {
        // The version comes from the build system, so its form is checked here.
        EXPECT_EQ(d.State(AboutIds::VersionLine).text, "62740CFG Version 2.00  (Build 9)");
        EXPECT_EQ(d.State(AboutIds::Picture).position, AboutIds::FirstPicture);
        d.RightDoubleClick();
        EXPECT_EQ(d.State(AboutIds::Picture).position, AboutIds::SecondPicture);
        d.Click(kIdOk);
    });
    shell.Command(Commands::About);
    shell.Command(Commands::About);
    EXPECT_EQ(host.dialog->State(AboutIds::Picture).position, AboutIds::SecondPicture);
}

TEST_F(DialogsTest, AnOlderToolkitIsNamedAndEndsTheProgramUnlessTheUserGoesOn) {
    EXPECT_TRUE(IsToolkitTooOld({"6.10.0", "6.9.9"}));
    EXPECT_FALSE(IsToolkitTooOld({"6.4", "6.4.0"}));

    std::vector<std::string> asked;
    const auto answer = [&asked](bool yes) {
        return [&asked, yes](const std::string& question) {
            asked.push_back(question);
            return yes;
        };
    };
    EXPECT_TRUE(StartupToolkitCheck({"6.4.2", "6.4.2"}, answer(false)));
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(StartupToolkitCheck({"6.4.2", "6.2.0"}, answer(false)));
    EXPECT_TRUE(StartupToolkitCheck({"6.4.2", "6.2.0"}, answer(true)));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "This program requires version 6.4.2 (or greater) of the Qt library.\n"
                        "Your system is using version 6.2.0 of the Qt library.\n\n"
                        "Do you want to run this program anyway?");

    shell.SetToolkitVersions({"6.4.2", "6.5.1"});
    shell.Command(Commands::UpdateCommonControls);
    EXPECT_FALSE(host.closed);
    EXPECT_NE(host.messages.back().text.find("using version 6.5.1 of the Qt library"),
              std::string::npos);
}

} // namespace
} // namespace zlc::ui

// A file opened, every page shown and every field tabbed through, then saved,
// keeps every byte it had: showing is not changing. The files are opened one
// after another in one run, so what one leaves behind would show in the next.
#include "FakeHosts.h"
#include "cases/CaseFile.h"
#include "cli/SettingNames.h"
#include "cli/SettingsFile.h"
#include "model/DocumentUpdates.h"
#include "panels/PanelSelection.h"

#include <filesystem>

namespace zlc::ui {
namespace {

namespace fs = std::filesystem;

constexpr int kPageCount = 6;

class OpenShowSave : public test::ShellFixture {
  protected:
    // Every page shown, and the focus taken through each field it lets the
    // user type into.
    void ShowEveryPage() {
        for (int tab = 0; tab < kPageCount; ++tab) {
            ShowTab(tab);
            for (const ControlTemplate& c : FindDialogTemplate(Ids::GeneralPage + tab)->controls) {
                const bool typed = c.kind == ControlKind::Edit || c.kind == ControlKind::ComboEdit;
                if (typed && page().IsEnabled(c.id)) {
                    page().TypeAndLeave(c.id, page().GetText(c.id));
                }
            }
        }
    }

    void ExpectSavedUnchanged(const std::string& path) {
        SCOPED_TRACE(path);
        const std::vector<uint8_t> before = zlc::test::ReadFile(path);
        host.AnswerFile(path);
        shell.Command(Commands::Open);
        ASSERT_EQ(shell.currentFileName(), path);
        ShowEveryPage();
        ASSERT_EQ(shell.state().diagnostics.pendingErrorControl, 0) << host.diagnosticsText;
        shell.Command(Commands::Save);
        EXPECT_EQ(zlc::test::ReadFile(path), before);
    }

    // A program of each byte order carrying the configuration.
    void AddPrograms(const std::string& name, const ConfigBlock& block) {
        for (const bool bigEndian : {false, true}) {
            const std::string path = dir / (name + (bigEndian ? "-be.exe" : ".exe"));
            zlc::test::WriteFile(
                path, zlc::test::ImageWith(2048, 640, zlc::test::BlockBytes(block, bigEndian)));
            files_.push_back(path);
        }
    }

    std::vector<std::string> files_;
};

TEST_F(OpenShowSave, KeepsEveryByteOfEveryFile) {
    for (const zlc::test::Case& c : zlc::test::ReadCases("ui/opened-files.txt")) {
        ConfigDocument configured;
        for (const std::string& line : zlc::test::Split(c["settings"], '\n')) {
            ASSERT_EQ(cli::ApplyAssignment(configured, line), "") << c.name;
        }
        AddPrograms(c.name, configured.block);
    }
    for (const auto& entry : fs::directory_iterator(ZLC_TEST_DATA_DIR "/export")) {
        ConfigDocument configured;
        if (fs::exists(entry.path() / "settings")) {
            ASSERT_EQ(cli::ApplySettingsFile(configured, entry.path() / "settings"), "");
            AddPrograms(entry.path().filename(), configured.block);
        }
    }
    LoadPanelDefinitions(panels, ZLC_BIN_DIR, [](const std::string& m) { FAIL() << m; });
    PanelSelection selection(panels);
    for (int panel = 0; panel < panels.PanelCount(); ++panel) {
        ConfigDocument configured;
        selection.ApplySelectedPanel(configured, panel, [&] { UpdateFrameRate(configured); });
        AddPrograms("panel" + std::to_string(panel), configured.block);
    }
    const std::string virt = dir / "62740VIRT";
    fs::copy_file(ZLC_BIN_DIR "/62740VIRT", virt);
    files_.push_back(virt);

    ASSERT_GT(files_.size(), 40u);
    for (const std::string& path : files_) {
        ExpectSavedUnchanged(path);
    }
}

} // namespace
} // namespace zlc::ui

// File > Import Settings and Export Settings against the command-line tool's
// --settings and show --json.
#include "model/SettingsTable.h"
#include "support/RunProgram.h"
#include "ui/FakeHosts.h"

#include <cstring>

namespace zlc::ui::test {
namespace {

using zlc::test::Zlc;

const std::string kVirt = std::string(ZLC_BIN_DIR) + "/62740VIRT";

class SettingsFileMenuTest : public ShellFixture {
  protected:
    std::string CopyOfVirt(const std::string& name) {
        zlc::test::WriteFile(dir / name, zlc::test::ReadFile(kVirt));
        return dir / name;
    }
    void Export(const std::string& path) {
        host.AnswerFile(path);
        shell.Command(Commands::ExportSettings);
    }
    void Import(const std::string& path) {
        host.AnswerFile(path);
        shell.Command(Commands::ImportSettings);
    }
};

TEST_F(SettingsFileMenuTest, ExportedSettingsGiveTheCommandLineTheSameFileAndDelays) {
    const std::string saved = CopyOfVirt("saved");
    shell.OpenFile(saved);
    SetSetting(doc, SettingId::HorzPanelSize, 640);
    SetSetting(doc, SettingId::VertPanelSize, 480);
    SetSetting(doc, SettingId::LcdPowerOffTime, 750);
    SetSetting(doc, SettingId::LcdPowerOnTime, 120);
    shell.Command(Commands::Save);
    Export(dir / "panel.json");
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "Settings saved in file \"" + dir / "panel.json" + "\".");

    const std::string applied = CopyOfVirt("applied");
    const auto cli = Zlc({"--in", applied, "--settings", dir / "panel.json", "save", applied});
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_EQ(zlc::test::ReadFile(applied), zlc::test::ReadFile(saved));
    EXPECT_EQ(Zlc({"--settings", dir / "panel.json", "get", "6", "7"}).out, "750\n120\n");
}

TEST_F(SettingsFileMenuTest, ImportTakesWhatTheCommandLineWrote) {
    const auto json =
        Zlc({"--set", "Horz Size=800", "--set", "LCD Power On Time=40", "show", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    zlc::test::WriteFile(dir / "back.json", json.out);
    ShowTab(4); // Panel Power
    Import(dir / "back.json");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(GetSetting(doc, SettingId::HorzPanelSize), 800u);
    EXPECT_EQ(GetSetting(doc, SettingId::LcdPowerOnTime), 40u);
    EXPECT_EQ(page().GetText(1602), "40") << "the page shows what was imported";

    Export(dir / "again.json");
    EXPECT_EQ(zlc::test::ReadText(dir / "again.json"), json.out);
}

TEST_F(SettingsFileMenuTest, RefusedImportChangesNothingAndNamesFileAndLine) {
    zlc::test::WriteFile(dir / "bad.txt", "Horz Size=640\nVert Size=lots\n");
    SetSetting(doc, SettingId::LcdPowerOnTime, 90);
    const ConfigDocument before = doc;
    Import(dir / "bad.txt");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.starts_with(dir / "bad.txt" + ":2: "))
        << host.messages[0].text;
    EXPECT_EQ(std::memcmp(&doc.block, &before.block, sizeof doc.block), 0);
    EXPECT_EQ(doc.lcdPowerOnTimeMs, 90u);
}

} // namespace
} // namespace zlc::ui::test

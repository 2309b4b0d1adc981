// The Board menu through the fake window system, on a simulated board.
#include "hal/sim/SimulatedBoard.h"
#include "support/Environment.h"
#include "ui/FakeHosts.h"

#include <cstring>

namespace zlc::ui::test {
namespace {

constexpr int kRegisterList = 1701;
constexpr uint8_t kWide = 0x4F; // REG[04h] of a panel 640 pixels wide

class BoardMenuTest : public ShellFixture {
  protected:
    uint8_t BoardRegister(int index) {
        return zlc::test::ReadFile(board).at(sim::kRegisterOffset + static_cast<size_t>(index));
    }

    const std::string board = dir / "panel.board";
    zlc::test::ScopedVariable chosen{"ZLC62740_BOARD", board.c_str()};
};

TEST_F(BoardMenuTest, ApplyProgramsTheBoardAndSaysWhatTheHalDid) {
    SetSetting(doc, SettingId::HorzPanelSize, 640);
    shell.Command(Commands::ApplyToBoard);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(BoardRegister(0x04), kWide);
    EXPECT_TRUE(host.diagnosticsText.starts_with(
        "Applied to the board " + board +
        ": 640 x 240, 8 bpp, color, landscape\r\nFrame rate 31 Hz (no rate asked for"))
        << host.diagnosticsText;
}

TEST_F(BoardMenuTest, CompareListsWhatTheBoardHoldsOtherwise) {
    shell.Command(Commands::ApplyToBoard);
    shell.Command(Commands::CompareWithBoard);
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_EQ(host.texts[0].first, "Compare with Board");
    EXPECT_NE(host.texts[0].second.find("No differences"), std::string::npos);

    SetSetting(doc, SettingId::HorzPanelSize, 640);
    shell.Command(Commands::CompareWithBoard);
    ASSERT_EQ(host.texts.size(), 2u);
    const std::string& text = host.texts[1].second;
    EXPECT_NE(text.find("33\tHorizontal Panel Size\t640\t320\n"), std::string::npos) << text;
    EXPECT_NE(text.find("REG[04h]\tREG_HORZ_PANEL_SIZE\t4F\t27\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Not compared"), std::string::npos);
}

// What came from the board shows as hand edits on the Registers page.
TEST_F(BoardMenuTest, ReadRegistersRecordsEachChangedOneAsAHandEdit) {
    SetSetting(doc, SettingId::HorzPanelSize, 640);
    shell.Command(Commands::ApplyToBoard);
    SetSetting(doc, SettingId::HorzPanelSize, 320);
    ShowTab(5);

    shell.Command(Commands::ReadBoardRegisters);
    EXPECT_EQ(doc.GetRegister(0x04), kWide);
    EXPECT_EQ(shell.state().manualEdits[0x04].state, EditState::Modified);
    EXPECT_EQ(shell.state().manualEdits[0x05].state, EditState::Unmodified);
    EXPECT_EQ(page().RowText(kRegisterList, 0x04, 0), "04h *");
    EXPECT_TRUE(host.diagnosticsText.starts_with("Registers read from the board " + board +
                                                 ": REG[04h].\r\n"))
        << host.diagnosticsText;
}

TEST_F(BoardMenuTest, BoardTheHalCannotReachChangesNothing) {
    chosen.Set("device:" + dir / "absent");
    SetSetting(doc, SettingId::HorzPanelSize, 640);
    const ConfigDocument before = doc;
    const std::string shown = host.diagnosticsText;
    for (const int command :
         {Commands::ApplyToBoard, Commands::CompareWithBoard, Commands::ReadBoardRegisters}) {
        shell.Command(command);
        ASSERT_FALSE(host.messages.empty()) << command;
        EXPECT_EQ(host.messages.back().text, "ERROR: Unable to locate/load ZLC62XXX.VXD");
    }
    EXPECT_EQ(host.messages.size(), 3u);
    EXPECT_TRUE(host.texts.empty());
    EXPECT_EQ(std::memcmp(&doc.block, &before.block, sizeof doc.block), 0);
    EXPECT_EQ(host.diagnosticsText, shown);
}

} // namespace
} // namespace zlc::ui::test

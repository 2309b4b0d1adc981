// The Board menu through the fake window system, on a simulated board.
#include "hal/sim/SimulatedBoard.h"
#include "model/SettingsTable.h"
#include "support/Environment.h"
#include "ui/FakeHosts.h"

#include <cstring>

namespace zlc::ui::test {
namespace {

constexpr int kRegisterList = 1701;
// The default panel tuned for the 53 Hz its timing gives: the HAL takes 104
// pixels and 26 lines of non-display period, and leaves the landscape line
// byte count at 0.
constexpr uint8_t kTunedHorzNonDisplay = 0x09;
const std::string kApplied = "320 x 240, 8 bpp, color, landscape\r\nFrame rate 53 Hz (tuned for 53 "
                             "Hz); registers the HAL changed: REG[08h] 0Ch to 09h, REG[0Ah] 0Bh to "
                             "1Ah";

class BoardMenuTest : public ShellFixture {
  protected:
    uint8_t BoardRegister(int index) {
        return zlc::test::ReadFile(board).at(sim::kRegisterOffset + static_cast<size_t>(index));
    }

    const std::string board = dir / "panel.board";
    zlc::test::ScopedVariable chosen{"ZLC62740_BOARD", board.c_str()};
};

// The frame rate the window starts with is the one the timing gives; the HAL
// tunes for it and chooses non-display periods of its own.
TEST_F(BoardMenuTest, ApplyProgramsTheBoardAndSaysWhatTheHalDid) {
    shell.Command(Commands::ApplyToBoard);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(BoardRegister(0x04), doc.GetRegister(0x04));
    EXPECT_EQ(BoardRegister(0x08), kTunedHorzNonDisplay);
    EXPECT_EQ(host.diagnosticsText, "Applied to the board " + board + ": " + kApplied);
}

TEST_F(BoardMenuTest, CompareListsWhatTheBoardHoldsOtherwise) {
    shell.Command(Commands::ApplyToBoard);
    SetSetting(doc, SettingId::HorzPanelSize, 640);
    shell.Command(Commands::CompareWithBoard);
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_EQ(host.texts[0].first, "Compare with Board");
    std::string expected =
        zlc::test::ReadText(std::string(ZLC_TEST_DATA_DIR) + "/ui/compare-with-board.txt");
    expected.replace(expected.find("BOARD"), 5, board);
    EXPECT_EQ(host.texts[0].second, expected);
}

// What came from the board shows as hand edits on the Registers page, and
// the board then holds the document's registers.
TEST_F(BoardMenuTest, ReadRegistersRecordsEachChangedOneAsAHandEdit) {
    shell.Command(Commands::ApplyToBoard);
    ShowTab(5);
    shell.Command(Commands::ReadBoardRegisters);
    EXPECT_EQ(doc.GetRegister(0x08), kTunedHorzNonDisplay);
    EXPECT_EQ(shell.state().manualEdits[0x08].state, EditState::Modified);
    EXPECT_EQ(shell.state().manualEdits[0x04].state, EditState::Unmodified);
    EXPECT_EQ(page().RowText(kRegisterList, 0x08, 0), "08h *");
    EXPECT_EQ(page().RowText(kRegisterList, 0x04, 0), "04h   ");
    EXPECT_EQ(host.diagnosticsText,
              "Registers read from the board " + board + ": REG[08h], REG[0Ah].");

    shell.Command(Commands::CompareWithBoard);
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_NE(host.texts[0].second.find("No differences"), std::string::npos);
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

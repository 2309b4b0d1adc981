// A configuration tried on a simulated board and read back through the real
// program: apply, diff against the board, view, and the HAL's own messages.
#include "cli/CliExpected.h"
#include "files/ConfigFile.h"
#include "hal/ChipWindow.h"
#include "hal/sim/SimulatedBoard.h"
#include "preview/ChipProgramming.h"
#include "support/Environment.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::Zlc;

using test::ExpectedCliOutput;
const std::string& kVirt = test::kVirtProgram;

// The registers a board file holds.
std::vector<uint8_t> BoardRegisters(const std::string& path) {
    const std::vector<uint8_t> board = test::ReadFile(path);
    EXPECT_EQ(board.size(), sim::kBoardFileSize) << path;
    return {board.begin() + sim::kRegisterOffset, board.end()};
}

// What the HAL programs from the block of `file`, on a board of this process.
std::vector<uint8_t> ProgrammedByTheHal(const std::string& file) {
    std::vector<uint8_t> board(sim::kBoardFileSize);
    sim::FormatBoardImage(board);
    ConfigDocument doc;
    EXPECT_TRUE(LoadConfigFile(doc, file).ok) << file;
    halInitializeWithWindow(&doc.block, std::make_unique<sim::SimulatedBoard>(board));
    EXPECT_EQ(preview::ProgramChip(doc.block, preview::Pattern::Squares), "");
    halInitializeWithWindow(nullptr, nullptr);
    return {board.begin() + sim::kRegisterOffset, board.end()};
}

// Only what the HAL programs from a block is the configuration's.
void ExpectProgrammedRegistersEqual(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    for (int index = 0; index < 32; ++index) {
        if (preview::IsProgrammedFromBlock(index)) {
            EXPECT_EQ(a.at(index), b.at(index)) << "REG " << index;
        }
    }
}

TEST(BoardCommands, ApplyThenDiffAgainstTheBoardThenChangeOneSetting) {
    test::TempDir dir;
    const std::string file = dir / "fw";
    const std::string board = dir / "panel.board";
    test::WriteFile(file, test::ReadFile(kVirt));

    const auto applied = Zlc({"--in", file, "apply", "--board", board});
    ASSERT_EQ(applied.status, 0) << applied.err;
    ExpectProgrammedRegistersEqual(BoardRegisters(board), ProgrammedByTheHal(file));
    const auto same = Zlc({"diff", file, "board:" + board});
    EXPECT_EQ(same.status, 0) << same.out << same.err;
    EXPECT_EQ(same.out, ExpectedCliOutput("diff_board_not_compared.txt"));

    // The board the variable chooses, changed by one setting.
    test::ScopedVariable chosen("ZLC62740_BOARD", board.c_str());
    ASSERT_EQ(Zlc({"--in", file, "--set", "Horz Size=640", "apply"}).status, 0);
    const auto wider = Zlc({"diff", file, "board"});
    EXPECT_EQ(wider.status, 1);
    EXPECT_EQ(wider.out, ExpectedCliOutput("diff_board_640.txt") +
                             ExpectedCliOutput("diff_board_not_compared.txt"));
    const auto json = Zlc({"diff", "--json", "board", file});
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.out.find("{\"register\": \"REG[04h]\", \"name\": \"REG_HORZ_PANEL_SIZE\", "
                            "\"a\": \"4F\", \"b\": \"27\"}"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"notCompared\": \"Not compared"), std::string::npos);
}

// The HAL tunes the frame rate on the board as it does in the preview, and
// the board then shows what the preview draws: a live loop without flashing.
TEST(BoardCommands, TunedBoardShowsWhatThePreviewDraws) {
    test::TempDir dir;
    const std::string file = dir / "fw";
    const std::string board = dir / "panel.board";
    test::WriteFile(file, test::ReadFile(kVirt));
    ASSERT_EQ(Zlc({"--in", file, "--set", "Frame Rate=60", "save", file}).status, 0);

    const auto applied = Zlc({"--in", file, "apply", "--board", board});
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, board + ": " + ExpectedCliOutput("apply_60hz.txt"));
    ExpectProgrammedRegistersEqual(BoardRegisters(board), ProgrammedByTheHal(file));

    ASSERT_EQ(Zlc({"--in", file, "preview", "-o", dir / "preview.png"}).status, 0);
    ASSERT_EQ(Zlc({"view", board, "-o", dir / "board.png"}).status, 0);
    EXPECT_EQ(test::ReadFile(dir / "board.png"), test::ReadFile(dir / "preview.png"));
}

TEST(BoardCommands, BoardTheHalCannotReachGetsTheHalsMessage) {
    test::TempDir dir;
    test::ScopedVariable chosen("ZLC62740_BOARD", ("device:" + dir / "absent").c_str());
    const auto applied = Zlc({"apply"});
    EXPECT_EQ(applied.status, 1);
    EXPECT_EQ(applied.err, "zlc62740: apply: ERROR: Unable to locate/load ZLC62XXX.VXD\n");
    const auto compared = Zlc({"diff", kVirt, "board"});
    EXPECT_EQ(compared.status, 2);
    EXPECT_EQ(compared.err, "zlc62740: diff: ERROR: Unable to locate/load ZLC62XXX.VXD\n");
    EXPECT_EQ(compared.out, "");

    // A file that is no board is left as it was.
    test::WriteFile(dir / "notes.txt", "not a board\n");
    const auto before = test::FileState::Of(dir / "notes.txt");
    EXPECT_EQ(Zlc({"apply", "--board", dir / "notes.txt"}).err, applied.err);
    EXPECT_EQ(Zlc({"diff", "board:" + dir / "notes.txt"}).status, 2);
    EXPECT_EQ(test::FileState::Of(dir / "notes.txt"), before);
}

} // namespace
} // namespace zlc

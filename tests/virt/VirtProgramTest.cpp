// Runs the real 62740VIRT on a simulated board, with keys fed on its input,
// and looks at the board and at the picture zlc62740 renders from it.

#include "cases/CaseFile.h"
#include "files/BlockSearch.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"
#include "model/ConfigBlock.h"
#include "support/Png.h"
#include "support/Process.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace zlc::test {
namespace {

const std::string kVirt = ZLC_BIN_DIR "/62740VIRT";
const std::string kTool = ZLC_BIN_DIR "/zlc62740";
const std::string kEnd = "\x1b[F", kEsc = "\x1b";

// The pattern's colour index: 16 x 16 squares, each a step on from its left
// neighbour, each row of them a step on from the row above (at 8 bpp, one more
// step from where the row above ended), inside an outline in the last index.
int PatternIndex(int x, int y, int depth, int width, int height) {
    if (x == 0 || y == 0 || x == width - 1 || y == height - 1) {
        return (1 << depth) - 1;
    }
    if (depth == 8) {
        return ((y / 16) * ((width + 15) / 16 + 1) + x / 16) & 0xFF;
    }
    return (y / 16 + x / 16) & ((1 << depth) - 1);
}

class Virt : public ::testing::Test {
  protected:
    // Runs `program` with one option ("" for none) and `keys` on its input.
    RunResult Run(const std::string& option, const std::string& keys,
                  const std::string& program = kVirt) {
        WriteFile(dir / "keys", keys);
        return Shell(Command(program, option), dir / "keys");
    }
    std::string Command(const std::string& program, const std::string& option) {
        return "ZLC62740_BOARD=" + Quote(boardVariable) + " " + Quote(program) +
               (option.empty() ? "" : " " + Quote(option));
    }

    // A copy of 62740VIRT that zlc62740 gave other settings ("--set ..." words).
    std::string ConfiguredVirt(const std::string& settings) {
        const std::string program = dir / "62740VIRT";
        WriteFile(program, ReadFile(kVirt));
        ::chmod(program.c_str(), 0700);
        const RunResult save = Shell(Quote(kTool) + " --in " + Quote(program) + " " + settings +
                                     " save " + Quote(program));
        EXPECT_EQ(save.status, 0) << save.out << save.err;
        return program;
    }

    uint8_t BoardRegister(int index) { return ReadFile(board).at(sim::kRegisterOffset + index); }

    TempDir dir;
    const std::string board = dir / "test.board";
    std::string boardVariable = board;
};

class VirtRun : public Virt, public ::testing::WithParamInterface<Case> {};

TEST_P(VirtRun, ShowsWhatTheKeysAskFor) {
    const Case& c = GetParam();
    const std::string program = c.Has("settings") ? ConfiguredVirt(c["settings"]) : kVirt;
    if (c.Has("board")) { // missing-device
        boardVariable = "device:" + (dir / "none");
    }
    const RunResult run = Run(c.Or("option", ""), c.Or("keys", ""), program);
    EXPECT_EQ(run.status, c.Number("status"));
    ExpectOutput(c, run.out);
    // Between display memory and the board's header lies no part of the chip.
    if (const std::vector<uint8_t> image = ReadFile(board); !image.empty()) {
        ASSERT_EQ(image.size(), sim::kBoardFileSize);
        EXPECT_TRUE(std::all_of(image.begin() + HAL_MEMORY_SIZE, image.begin() + sim::kHeaderOffset,
                                [](uint8_t b) { return b == 0; }));
    }
}

ZLC_CASES(VirtRun, "virt/runs.txt");

class VirtPattern : public Virt, public ::testing::WithParamInterface<Case> {};

TEST_P(VirtPattern, PanelShowsTheTestPatternAtTheLowerRightCorner) {
    const Case& c = GetParam();
    const int presses = static_cast<int>(c.Number("presses"));
    const int depth = 1 << presses;
    const std::vector<long> size = c.Numbers("size"), view = c.Numbers("view");
    const RunResult run = Run(c.Or("option", ""), std::string(presses, 'B') + kEnd + kEsc);
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Virtual dimension: " + std::to_string(size[0]) + " x " +
                           std::to_string(size[1]) + "\n"),
              std::string::npos)
        << run.out;
    const bool pivot = c.Or("option", "") == "/P" || c.Or("option", "") == "/ALT";
    EXPECT_EQ(BoardRegister(REG_PORTRAIT_MODE) & 0xC0,
              (pivot ? 0x80 : 0) | (c.Or("option", "") == "/ALT" ? 0x40 : 0));

    // The panel as zlc62740 view renders it.
    const std::string png = dir / "panel.png";
    const RunResult tool = Shell(Quote(kTool) + " view " + Quote(board) + " -o " + Quote(png));
    ASSERT_EQ(tool.status, 0) << tool.out << tool.err;
    const Picture picture = Picture::Read(png);
    const int width = pivot ? 240 : 320;
    const int height = pivot ? 320 : 240;
    ASSERT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(width, height));

    int entries = 0;
    const uint8_t* lut = halGetLut(depth, true, &entries);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int index =
                PatternIndex(x + int(view[0]), y + int(view[1]), depth, int(size[0]), int(size[1]));
            const uint8_t* entry = &lut[index * 3];
            // The panel shows the top four bits of each component.
            const Rgb expected = {(entry[0] >> 4) * 0x11, (entry[1] >> 4) * 0x11,
                                  (entry[2] >> 4) * 0x11};
            if (picture.At(x, y) != expected && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is not index " << index;
            }
        }
    }
}

ZLC_CASES(VirtPattern, "virt/patterns.txt");

TEST_F(Virt, FrameRateTuningKeepsTheClockDivideItChose) {
    // 60 Hz from 12 MHz: the periods fit only the halved clock.
    ASSERT_EQ(
        Run("", kEsc, ConfiguredVirt("--set 'CLKI Timing=12000000' --set 'Frame Rate=60'")).status,
        0);
    EXPECT_EQ(BoardRegister(REG_MODE_REGISTER_1) & 0x10, 0x10);
    EXPECT_EQ(BoardRegister(REG_HORZ_NONDISP_PERIOD), 3);
    EXPECT_EQ(BoardRegister(REG_VERT_NONDISP_PERIOD), 25);
}

// Esc once the view has moved three steps; the input then stays open until the
// program ends, or for ten seconds, in which a program that missed the Esc
// would take some 1000 more steps.
TEST_F(Virt, AutomaticModeMovesByItselfUntilEsc) {
    const std::string out = Quote(dir / "out"), ended = Quote(dir / "ended");
    const auto waitFor = [](const std::string& condition) {
        return "i=0; until " + condition + " || [ $i -ge 200 ]; do sleep 0.05; i=$((i+1)); done; ";
    };
    const RunResult run =
        Shell("( { " + waitFor("grep -q 'X= 48, Y=  0' " + out) + "printf '\\033'; " +
              waitFor("[ -e " + ended + " ]") + "} | { " + Command(kVirt, "/A") + " >" + out +
              "; echo $? >" + ended + "; }; cat " + out + "; exit $(cat " + ended + ") )");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\nX= 16, Y=  0\nX= 32, Y=  0\nX= 48, Y=  0\n"), std::string::npos)
        << run.out;
    EXPECT_LT(std::count(run.out.begin(), run.out.end(), '\n'), 200);
}

TEST_F(Virt, ExecutableCarriesExactlyOneBlockTheDefaultOne) {
    ConfigBlock block{};
    std::string message;
    ASSERT_EQ(LocateConfigBlock(ReadFile(kVirt), &block, nullptr, message), BLOCK_FOUND) << message;
    const ConfigBlock expected = DefaultConfigBlock();
    EXPECT_EQ(std::memcmp(&block, &expected, sizeof block), 0);
}

} // namespace
} // namespace zlc::test

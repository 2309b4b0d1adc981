// Runs the real 62740VIRT on a simulated board, with keys fed on its input,
// and looks at the board and at the picture zlc62740 renders from it.

#include "files/BlockSearch.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"
#include "model/ConfigBlock.h"
#include "support/Process.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <png.h>

namespace zlc::test {
namespace {

const std::string kVirt = ZLC_BIN_DIR "/62740VIRT";
const std::string kTool = ZLC_BIN_DIR "/zlc62740";
const std::string kHome = "\x1b[H", kEnd = "\x1b[F", kDown = "\x1b[B", kEsc = "\x1b";

const std::string kBanner =
    "\n62740VIRT.EXE - Virtual Screen Test Utility - Version 1.01  [HAL 1.05]"
    "\nCopyright (c) 2026 Korvane.\nAll rights reserved.\n";
const std::string kUsageFirst = "\n\nUsage:  62740VIRT [/A] [/L] [/P] [/ALT] [/W=xxx] [/?]\n";
const std::string kNoDepthFrom2 = "\nUnable to use virtual mode at 2 BPP\nUnable to use virtual "
                                  "mode at 4 BPP\nUnable to use virtual mode at 8 BPP";
const std::string kNoDepth = "\nUnable to use virtual mode at 1 BPP" + kNoDepthFrom2;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Where the panel's view of a virtual screen the test pattern fills should be
// after End, at the depth 1 << presses.
struct PatternCase {
    const char* name;
    std::string option; // "" for none
    int presses, width, height, viewX, viewY;
};

// The pattern's colour index: 16 x 16 squares, each a step on from its left
// neighbour, each row of them a step on from the row above (at 8 bpp, one more
// step from where the row above ended), inside an outline in the last index.
int PatternIndex(int x, int y, int depth, const PatternCase& c) {
    if (x == 0 || y == 0 || x == c.width - 1 || y == c.height - 1) {
        return (1 << depth) - 1;
    }
    if (depth == 8) {
        return ((y / 16) * ((c.width + 15) / 16 + 1) + x / 16) & 0xFF;
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
        return "ZLC62740_BOARD=" + Quote(board) + " " + Quote(program) +
               (option.empty() ? "" : " " + Quote(option));
    }

    // A copy of 62740VIRT whose carried block has another panel, or frame rate.
    std::string PatchedVirt(const std::string& name, int width, int height, int rate = 0) {
        std::vector<uint8_t> image = ReadFile(kVirt);
        ConfigBlock block{};
        std::string message;
        EXPECT_EQ(LocateConfigBlock(image, &block, nullptr, message), BLOCK_FOUND);
        block.regs[REG_HORZ_PANEL_SIZE] = static_cast<uint8_t>(width / 8 - 1);
        block.regs[REG_VERT_PANEL_SIZE_LSB] = static_cast<uint8_t>((height - 1) & 0xFF);
        block.regs[REG_VERT_PANEL_SIZE_MSB] = static_cast<uint8_t>((height - 1) >> 8);
        block.frameRate = static_cast<uint16_t>(rate);
        block.clkiKHz = rate != 0 ? 12000 : block.clkiKHz;
        EXPECT_EQ(ReplaceConfigBlock(block, image, message), BLOCK_FOUND);
        WriteFile(dir / name, image);
        ::chmod((dir / name).c_str(), 0700);
        return dir / name;
    }

    uint8_t BoardRegister(int index) { return ReadFile(board).at(sim::kRegisterOffset + index); }

    TempDir dir;
    const std::string board = dir / "test.board";
};

TEST_F(Virt, KeysPanTheViewAndBChangesTheDepth) {
    const RunResult run = Run("", kHome + kEnd + kDown + "B" + kEsc);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kBanner + "\n        Physical dimension: 320 x 240\n"
                                 "\n1 BPP - 16 pixel X step\nVirtual dimension: 640 x 1024"
                                 "\nX=  0, Y=  0\nX=320, Y=784\nX=320, Y=784"
                                 "\n2 BPP -  8 pixel X step\nVirtual dimension: 640 x 512\n");
}

void PrintTo(const PatternCase& c, std::ostream* out) {
    *out << c.name;
}

class VirtPattern : public Virt, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(VirtPattern, PanelShowsTheTestPatternAtTheLowerRightCorner) {
    const PatternCase& c = GetParam();
    const int depth = 1 << c.presses;
    const RunResult run = Run(c.option, std::string(c.presses, 'B') + kEnd + kEsc);
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "Virtual dimension: " + std::to_string(c.width) + " x " +
                                 std::to_string(c.height) + "\n"))
        << run.out;
    const bool pivot = c.option == "/P" || c.option == "/ALT";
    EXPECT_EQ(BoardRegister(REG_PORTRAIT_MODE) & 0xC0,
              (pivot ? 0x80 : 0) | (c.option == "/ALT" ? 0x40 : 0));

    // The panel as zlc62740 view renders it.
    const std::string png = dir / "panel.png";
    const RunResult tool = Shell(Quote(kTool) + " view " + Quote(board) + " -o " + Quote(png));
    ASSERT_EQ(tool.status, 0) << tool.out << tool.err;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, png.c_str()), 0);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    const int width = pivot ? 240 : 320;
    const int height = pivot ? 320 : 240;
    ASSERT_EQ(std::make_pair(image.width, image.height), std::make_pair(width + 0u, height + 0u));

    int entries = 0;
    const uint8_t* lut = halGetLut(depth, true, &entries);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int index = PatternIndex(x + c.viewX, y + c.viewY, depth, c);
            for (int channel = 0; channel < 3; ++channel) {
                const int got = rgb[(static_cast<size_t>(y) * width + x) * 3 + channel];
                if (got != (lut[index * 3 + channel] >> 4) * 0x11 && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is not index " << index;
                }
            }
        }
    }
}

// Landscape 640 pixels wide, except at 8 bpp, where 640 cannot give 240 lines;
// PivotScan 256 pixels wide.
const PatternCase kPatterns[] = {
    {"Landscape1", "", 0, 640, 1024, 320, 784},     {"Landscape2", "", 1, 640, 512, 320, 272},
    {"Landscape4", "", 2, 640, 256, 320, 16},       {"Landscape8", "/W=320", 3, 320, 256, 0, 16},
    {"PivotScan1", "/P", 0, 256, 2560, 16, 2240},   {"PivotScan2", "/P", 1, 256, 1280, 16, 960},
    {"PivotScan4", "/P", 2, 256, 640, 16, 320},     {"PivotScan8", "/P", 3, 256, 320, 16, 0},
    {"Alternate1", "/ALT", 0, 256, 2560, 16, 2240}, {"Alternate2", "/ALT", 1, 256, 1280, 16, 960},
    {"Alternate4", "/ALT", 2, 256, 640, 16, 320},   {"Alternate8", "/ALT", 3, 256, 320, 16, 0},
};
INSTANTIATE_TEST_SUITE_P(Depths, VirtPattern, ::testing::ValuesIn(kPatterns),
                         [](const auto& instance) { return std::string(instance.param.name); });

TEST_F(Virt, TheToolConfiguresTheProgramFile) {
    const std::string program = dir / "62740VIRT";
    WriteFile(program, ReadFile(kVirt));
    ::chmod(program.c_str(), 0700);
    const RunResult save =
        Shell(Quote(kTool) + " --in " + Quote(program) +
              " --set 'Horizontal Panel Size=640' --set 'Vertical Panel Size=480' save " +
              Quote(program));
    ASSERT_EQ(save.status, 0) << save.out << save.err;
    const RunResult run = Run("", kEsc, program);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "Physical dimension: 640 x 480\n")) << run.out;
}

TEST_F(Virt, ScreensTheChipCannotHoldAreRefusedNotDrawn) {
    const std::string large = PatchedVirt("large", 640, 480);
    const std::string flat = PatchedVirt("flat", 320, 1);
    const struct {
        std::string program, option;
        int status;
        std::string shown;
    } cases[] = {
        // 1280 pixels wide: only 1 bpp holds 480 lines, and B comes back to it.
        {large, "", 0, "1280 x 512" + kNoDepthFrom2 + "\n1 BPP - 16 pixel"},
        // PivotScan on 480 lines: 256 pixels are narrower than the panel, and at
        // 8 bpp a line is longer than the line byte count can say.
        {large, "/P", 3, "480 x 640\n" + kNoDepth + "\nERROR: No color depth can show a"},
        // Narrower than the panel: the chip's lines would be longer than the pattern's.
        {kVirt, "/W=200", 3, kNoDepth},
        // One line high: twice the height is narrower than a byte of pixels below 8 bpp.
        {flat, "/P", 0, "\nUnable to use virtual mode at 4 BPP\n8 BPP -  1 pixel X step"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const RunResult run = Run(c.option, "B" + kEsc, c.program);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(Has(run.out, c.shown)) << run.out;
        // Between display memory and the board's header lies no part of the chip.
        const std::vector<uint8_t> image = ReadFile(board);
        ASSERT_EQ(image.size(), sim::kBoardFileSize);
        EXPECT_TRUE(std::all_of(image.begin() + HAL_MEMORY_SIZE, image.begin() + sim::kHeaderOffset,
                                [](uint8_t b) { return b == 0; }));
    }
}

TEST_F(Virt, UsageAndBadWidthsEndTheProgramWithCodeZero) {
    for (const char* option : {"/?", "-x", "/W", "/w:320", "/W=3"}) {
        SCOPED_TRACE(option);
        const RunResult run = Run(option, "");
        EXPECT_EQ(run.status, 0);
        const std::string error =
            option == std::string("/W=3")
                ? "\nERROR: The virtual width \"3\" is not a number from 8 to 65535.\n"
                : "";
        EXPECT_TRUE(run.out.starts_with(kBanner + error + kUsageFirst)) << run.out;
        EXPECT_TRUE(run.out.ends_with("'B' changes the color depth (bits per pixel)\n"));
    }
}

TEST_F(Virt, DeviceThatCannotBeOpenedEndsTheProgram) {
    const RunResult run =
        Shell("ZLC62740_BOARD=" + Quote("device:" + (dir / "none")) + " " + Quote(kVirt));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, kBanner + "\nERROR: Unable to locate/load ZLC62XXX.VXD\n");
}

TEST_F(Virt, FrameRateTuningKeepsTheClockDivideItChose) {
    // 60 Hz from 12 MHz: the periods fit only the halved clock.
    ASSERT_EQ(Run("", kEsc, PatchedVirt("fast", 320, 240, 60)).status, 0);
    EXPECT_EQ(BoardRegister(REG_MODE_REGISTER_1) & 0x10, 0x10);
    EXPECT_EQ(BoardRegister(REG_HORZ_NONDISP_PERIOD), 3);
    EXPECT_EQ(BoardRegister(REG_VERT_NONDISP_PERIOD), 25);
}

TEST_F(Virt, AutomaticModeMovesByItselfUntilEsc) {
    // Esc a second after the start; the input stays open three seconds more, in
    // which a program that missed the Esc would take some 300 more steps.
    const RunResult run =
        Shell("( { sleep 1; printf '\\033'; sleep 3; } | " + Command(kVirt, "/A") + " )");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Has(run.out, "\nX= 16, Y=  0\nX= 32, Y=  0\nX= 48, Y=  0\n")) << run.out;
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

// Runs the real 62740VIRT on a simulated board, with keys fed on its input,
// and looks at the board and at the picture zlc62740 renders from it.

#include "ChildProcess.h"
#include "files/BlockSearch.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"
#include "model/ConfigBlock.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <png.h>

namespace zlc::test {
namespace {

namespace fs = std::filesystem;

const std::string kVirt = ZLC_BIN_DIR "/62740VIRT";
const std::string kTool = ZLC_BIN_DIR "/zlc62740";

const std::string kHome = "\x1b[H";
const std::string kEnd = "\x1b[F";
const std::string kDown = "\x1b[B";
const std::string kEsc = "\x1b";

const std::string kBanner =
    "\n62740VIRT.EXE - Virtual Screen Test Utility - Version 1.01  [HAL 1.05]"
    "\nCopyright (c) the ZLC62740 configuration suite authors.\nAll Rights Reserved.\n";

const std::string kUsage =
    "\n\nUsage:  62740VIRT [/A] [/L] [/P] [/ALT] [/W=xxx] [/?]\n"
    "\nWhere:  /A     - Automatic scrolling mode"
    "\n        /L     - Set Landscape mode"
    "\n        /P     - Set Portrait  mode"
    "\n        /ALT   - Use alternate portrait mode"
    "\n        /W=xxx - Specify the virtual width (in pixels)."
    "\n        /?     - Display this help message\n"
    "\nIn manual mode:    Arrow keys move the display about the virtual screen"
    "\n                   CTRL plus the arrow keys moves faster."
    "\n                   HOME returns to the upper left corner."
    "\n                   END  moves to the lower right corner.\n"
    "\nIn automatic mode: Pressing any key will change direction\n"
    "\nIn any mode:       ESC quits the program"
    "\n                   'B' changes the color depth (bits per pixel)\n";

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome {
    int code = -1;
    std::string output;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// The view of a virtual screen the test pattern fills, as the panel should
// show it with its top left corner at (viewX, viewY).
struct ExpectedView {
    int depth;
    bool color;
    int virtualWidth;
    int virtualHeight;
    int viewX;
    int viewY;
};

int PatternIndex(int x, int y, const ExpectedView& view) {
    const int mask = (1 << view.depth) - 1;
    if (x == 0 || y == 0 || x == view.virtualWidth - 1 || y == view.virtualHeight - 1) {
        return mask; // the outline
    }
    const int column = x / 16;
    const int row = y / 16;
    if (view.depth == 8) {
        const int squaresPerRow = (view.virtualWidth + 15) / 16;
        return (row * (squaresPerRow + 1) + column) & 0xFF;
    }
    return (row + column) & mask;
}

class Virt : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zlc-virt-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        board = dir / "test.board";
    }
    void TearDown() override { fs::remove_all(dir); }

    Outcome RunVirt(const std::vector<std::string>& args, const std::string& keys,
                    const std::string& program = kVirt) {
        ChildProcess child(program, args, {{"ZLC62740_BOARD", board.string()}});
        child.Write(keys);
        Outcome run;
        run.code = child.Finish();
        run.output = child.output;
        return run;
    }

    // A copy of 62740VIRT whose carried block `change` has edited.
    std::string PatchedVirt(const std::function<void(ConfigBlock&)>& change) {
        std::vector<uint8_t> image = ReadFile(kVirt);
        ConfigBlock block{};
        std::string message;
        EXPECT_EQ(LocateConfigBlock(image, &block, nullptr, message), BLOCK_FOUND);
        change(block);
        EXPECT_EQ(ReplaceConfigBlock(block, image, message), BLOCK_FOUND);
        const fs::path path = dir / "62740VIRT";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }

    std::string Virt640x480() {
        return PatchedVirt([](ConfigBlock& block) {
            block.regs[REG_HORZ_PANEL_SIZE] = 640 / 8 - 1;
            block.regs[REG_VERT_PANEL_SIZE_LSB] = (480 - 1) & 0xFF;
            block.regs[REG_VERT_PANEL_SIZE_MSB] = (480 - 1) >> 8;
        });
    }

    uint8_t BoardRegister(int index) {
        return ReadFile(board).at(sim::kRegisterOffset + static_cast<size_t>(index));
    }

    // The panel as zlc62740 view renders it.
    Picture View() {
        const fs::path png = dir / "panel.png";
        ChildProcess tool(kTool, {"view", board.string(), "-o", png.string()}, {});
        EXPECT_EQ(tool.Finish(), 0) << tool.output;
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        Picture picture;
        if (png_image_begin_read_from_file(&image, png.c_str()) == 0) {
            ADD_FAILURE() << "no picture";
            return picture;
        }
        image.format = PNG_FORMAT_RGB;
        picture.width = static_cast<int>(image.width);
        picture.height = static_cast<int>(image.height);
        picture.rgb.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr);
        return picture;
    }

    void ExpectPicture(const Picture& picture, const ExpectedView& view) {
        int entries = 0;
        const uint8_t* lut = halGetLut(view.depth, view.color, &entries);
        int wrong = 0;
        for (int y = 0; y < picture.height && wrong < 5; ++y) {
            for (int x = 0; x < picture.width && wrong < 5; ++x) {
                const int index = PatternIndex(x + view.viewX, y + view.viewY, view);
                const uint8_t* entry = lut + index * 3;
                const uint8_t* got = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
                for (int c = 0; c < 3; ++c) {
                    const uint8_t level = view.color ? entry[c] : entry[1];
                    if (got[c] != (level >> 4) * 0x11) {
                        ADD_FAILURE() << "pixel (" << x << ", " << y << ") channel " << c << ": "
                                      << int{got[c]} << ", expected pattern index " << index;
                        ++wrong;
                        break;
                    }
                }
            }
        }
    }

    // The range between display memory and the board's header is no part of
    // the chip: anything there was written past the end of display memory.
    void ExpectNothingPastDisplayMemory() {
        const std::vector<uint8_t> image = ReadFile(board);
        ASSERT_EQ(image.size(), sim::kBoardFileSize);
        EXPECT_TRUE(std::all_of(image.begin() + HAL_MEMORY_SIZE, image.begin() + sim::kHeaderOffset,
                                [](uint8_t b) { return b == 0; }));
        std::string message;
        EXPECT_TRUE(sim::IsBoardImage(image, message)) << message;
    }

    fs::path dir;
    fs::path board;
};

TEST_F(Virt, KeysPanTheViewAndBChangesTheDepth) {
    const Outcome run = RunVirt({}, kHome + kEnd + kDown + "B" + kEsc);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.output, kBanner + "\n        Physical dimension: 320 x 240\n"
                                    "\n1 BPP - 16 pixel X step\nVirtual dimension: 640 x 1024"
                                    "\nX=  0, Y=  0\nX=320, Y=784\nX=320, Y=784"
                                    "\n2 BPP -  8 pixel X step\nVirtual dimension: 640 x 512\n");
}

TEST_F(Virt, PanelShowsTheTestPatternAtEachDepth) {
    // Landscape 640 pixels wide: 1024, 512 and 256 lines; 8 bpp cannot hold
    // 240 lines of 640 pixels, so 320 pixels are asked for there.
    const ExpectedView views[] = {
        {1, true, 640, 1024, 320, 784},
        {2, true, 640, 512, 320, 272},
        {4, true, 640, 256, 320, 16},
    };
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(views[k].depth);
        const Outcome run = RunVirt({}, std::string(static_cast<size_t>(k), 'B') + kEnd + kEsc);
        ASSERT_EQ(run.code, 0);
        ExpectPicture(View(), views[k]);
    }
    const Outcome run = RunVirt({"/W=320"}, "BBB" + kEnd + kEsc);
    EXPECT_NE(run.output.find("\n8 BPP -  2 pixel X step\nVirtual dimension: 320 x 256"),
              std::string::npos);
    ExpectPicture(View(), {8, true, 320, 256, 0, 16});
}

TEST_F(Virt, PivotScanShowsTheTestPatternUprightAtEachDepth) {
    const int heights[] = {2560, 1280, 640, 320};
    for (int k = 0; k < 4; ++k) {
        const int depth = 1 << k;
        SCOPED_TRACE(depth);
        const Outcome run = RunVirt({"/P"}, std::string(static_cast<size_t>(k), 'B') + kEnd + kEsc);
        ASSERT_EQ(run.code, 0);
        EXPECT_NE(run.output.find("Physical dimension: 240 x 320\n"), std::string::npos);
        const Picture picture = View();
        EXPECT_EQ(picture.width, 240);
        EXPECT_EQ(picture.height, 320);
        ExpectPicture(picture, {depth, true, 256, heights[k], 16, heights[k] - 320});
    }
}

TEST_F(Virt, AlternatePivotScanHoldsAtEveryDepth) {
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(1 << k);
        const Outcome run = RunVirt({"/alt"}, std::string(static_cast<size_t>(k), 'B') + kEsc);
        ASSERT_EQ(run.code, 0);
        EXPECT_EQ(BoardRegister(REG_PORTRAIT_MODE) & 0xC0, 0xC0);
    }
}

TEST_F(Virt, DimensionsComeFromTheCarriedBlock) {
    const std::string large = Virt640x480();
    // 1280 pixels wide: only 1 bpp holds 480 lines, and B comes back to it.
    const Outcome run = RunVirt({}, "B" + kEsc, large);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.output, kBanner + "\n        Physical dimension: 640 x 480\n"
                                    "\n1 BPP - 16 pixel X step\nVirtual dimension: 1280 x 512"
                                    "\nUnable to use virtual mode at 2 BPP"
                                    "\nUnable to use virtual mode at 4 BPP"
                                    "\nUnable to use virtual mode at 8 BPP"
                                    "\n1 BPP - 16 pixel X step\nVirtual dimension: 1280 x 512\n");
    ExpectNothingPastDisplayMemory();
}

TEST_F(Virt, TheToolConfiguresTheProgramFile) {
    const fs::path program = dir / "62740VIRT";
    fs::copy_file(kVirt, program);
    ChildProcess save(kTool,
                      {"--in", program.string(), "--set", "Horizontal Panel Size=640", "--set",
                       "Vertical Panel Size=480", "save", program.string()},
                      {});
    ASSERT_EQ(save.Finish(), 0) << save.output;
    const Outcome run = RunVirt({}, kEsc, program.string());
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.output.find("Physical dimension: 640 x 480\n"), std::string::npos) << run.output;
}

TEST_F(Virt, ScreensTheChipCannotHoldAreNotDrawn) {
    // PivotScan on 480 lines: 256 pixels are narrower than the panel, and at
    // 8 bpp a line is longer than the line byte count can say.
    const std::string large = Virt640x480();
    const std::string none = "\nUnable to use virtual mode at 1 BPP"
                             "\nUnable to use virtual mode at 2 BPP"
                             "\nUnable to use virtual mode at 4 BPP"
                             "\nUnable to use virtual mode at 8 BPP";
    Outcome run = RunVirt({"/P"}, kEsc, large);
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.output, kBanner + "\n        Physical dimension: 480 x 640\n" + none +
                              "\nERROR: No color depth can show a virtual screen 256 pixels "
                              "wide.\n");
    ExpectNothingPastDisplayMemory();

    // A panel one line high: twice its height is narrower than a byte of
    // pixels below 8 bpp.
    const std::string flat = PatchedVirt([](ConfigBlock& block) {
        block.regs[REG_VERT_PANEL_SIZE_LSB] = 0;
        block.regs[REG_VERT_PANEL_SIZE_MSB] = 0;
    });
    run = RunVirt({"/P"}, kEsc, flat);
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.output.find("\nUnable to use virtual mode at 4 BPP\n8 BPP -  1 pixel X step"),
              std::string::npos);

    // Narrower than the panel: the chip's lines would be longer than the
    // pattern's.
    run = RunVirt({"/W=200"}, kEsc);
    EXPECT_EQ(run.code, 3);
    EXPECT_NE(run.output.find(none), std::string::npos);
    ExpectNothingPastDisplayMemory();
}

TEST_F(Virt, UsageEndsTheProgramWithCodeZero) {
    for (const char* option : {"/?", "-x", "/W", "/w:320", "/"}) {
        SCOPED_TRACE(option);
        const Outcome run = RunVirt({option}, "");
        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(run.output, kBanner + kUsage);
    }
    Outcome run = RunVirt({"/W=3"}, "");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.output,
              kBanner + "\nERROR: The virtual width \"3\" is not a number from 8 to 65535.\n" +
                  kUsage);
    // Words that are not options are passed over.
    run = RunVirt({"hello", "/w=320"}, kEsc);
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.output.find("Virtual dimension: 320 x 2048"), std::string::npos);
}

TEST_F(Virt, BoardThatCannotBeOpenedEndsTheProgram) {
    std::ofstream(board) << "not a board";
    Outcome run = RunVirt({}, kEsc);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.output, kBanner + "\nERROR: Unable to locate/load ZLC62XXX.VXD\n");

    ChildProcess child(kVirt, {}, {{"ZLC62740_BOARD", "device:" + (dir / "none").string()}});
    EXPECT_EQ(child.Finish(), 1);
    EXPECT_EQ(child.output, kBanner + "\nERROR: Unable to locate/load ZLC62XXX.VXD\n");
}

TEST_F(Virt, FrameRateTuningKeepsTheClockDivideItChose) {
    const std::string fast = PatchedVirt([](ConfigBlock& block) {
        block.frameRate = 60;
        block.clkiKHz = 12000;
    });
    ASSERT_EQ(RunVirt({}, kEsc, fast).code, 0);
    EXPECT_EQ(BoardRegister(REG_MODE_REGISTER_1) & 0x10, 0x10);
    EXPECT_EQ(BoardRegister(REG_HORZ_NONDISP_PERIOD), 3);
    EXPECT_EQ(BoardRegister(REG_VERT_NONDISP_PERIOD), 25);
}

TEST_F(Virt, AutomaticModeMovesByItselfTurnsOnAKeyAndQuitsOnEsc) {
    ChildProcess child(kVirt, {"/A"}, {{"ZLC62740_BOARD", board.string()}});
    ASSERT_TRUE(child.WaitFor("\nX= 48, Y=  0"));
    const size_t turned = child.output.size();
    child.Write("Z"); // any key: back the way it came
    ASSERT_TRUE(child.WaitFor("\nX= 32, Y=  0", turned));
    // At the left edge the way on is up, and the top reached a second time
    // ends the round at this depth.
    ASSERT_TRUE(child.WaitFor("\n2 BPP -  8 pixel X step", turned));
    child.Write(kEsc);
    EXPECT_EQ(child.Finish(), 0);
}

TEST_F(Virt, ExecutableCarriesExactlyOneBlockTheDefaultOne) {
    const std::vector<uint8_t> image = ReadFile(kVirt);
    ConfigBlock block{};
    std::string message;
    ASSERT_EQ(LocateConfigBlock(image, &block, nullptr, message), BLOCK_FOUND) << message;
    const ConfigBlock expected = DefaultConfigBlock();
    EXPECT_EQ(std::memcmp(&block, &expected, sizeof block), 0);
}

} // namespace
} // namespace zlc::test

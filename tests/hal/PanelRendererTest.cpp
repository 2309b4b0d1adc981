#include "hal/sim/PanelRenderer.h"

#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <png.h>

namespace zlc::test {
namespace {

class PanelRender : public ::testing::Test {
  protected:
    void SetUp() override { sim::FormatBoardImage(board); }
    void SetReg(int index, uint8_t value) { board[sim::kRegisterOffset + index] = value; }
    void SetLut(int entry, uint8_t r, uint8_t g, uint8_t b) {
        board[sim::kLutOffset + entry * 3] = r;
        board[sim::kLutOffset + entry * 3 + 1] = g;
        board[sim::kLutOffset + entry * 3 + 2] = b;
    }
    // A panel of `width` x `height` at 2 to the `depthLog2` bits per pixel.
    void SetPanel(int width, int height, int depthLog2, bool color = true) {
        SetReg(REG_MODE_REGISTER_0, color ? 0x20 : 0x00);
        SetReg(REG_MODE_REGISTER_1, static_cast<uint8_t>(depthLog2 << 6));
        SetReg(REG_HORZ_PANEL_SIZE, static_cast<uint8_t>(width / 8 - 1));
        SetReg(REG_VERT_PANEL_SIZE_LSB, static_cast<uint8_t>((height - 1) & 0xFF));
        SetReg(REG_VERT_PANEL_SIZE_MSB, static_cast<uint8_t>((height - 1) >> 8));
    }
    sim::PanelImage Render() {
        sim::PanelImage image;
        std::string message;
        EXPECT_TRUE(sim::RenderPanel(board, image, message)) << message;
        return image;
    }
    static std::array<uint8_t, 3> Pixel(const sim::PanelImage& image, int x, int y) {
        const size_t at = (static_cast<size_t>(y) * image.width + x) * 3;
        return {image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
    }

    std::vector<uint8_t> board = std::vector<uint8_t>(sim::kBoardFileSize);
};

using Rgb = std::array<uint8_t, 3>;

TEST_F(PanelRender, LandscapeStartsAtTheWordAddressAndSkipsTheOffset) {
    SetPanel(32, 2, 1); // 2 bpp: 8 bytes a line, with 2 words more: 12
    SetReg(REG_MEM_ADDR_OFFSET, 2);
    SetReg(REG_SCRN1_START_ADDR_LSB, 3); // byte 6
    SetLut(1, 0xF0, 0x00, 0x00);
    SetLut(2, 0x00, 0xA0, 0x00);
    SetLut(3, 0x50, 0x50, 0xF0);
    board[6] = 0x1B; // pixels 0, 1, 2, 3
    board[6 + 12] = 0xC0;

    const sim::PanelImage image = Render();
    ASSERT_EQ(image.width, 32);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(Pixel(image, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(Pixel(image, 1, 0), (Rgb{0xFF, 0, 0})); // 4-bit levels widened
    EXPECT_EQ(Pixel(image, 2, 0), (Rgb{0, 0xAA, 0}));
    EXPECT_EQ(Pixel(image, 3, 0), (Rgb{0x55, 0x55, 0xFF}));
    EXPECT_EQ(Pixel(image, 0, 1), (Rgb{0x55, 0x55, 0xFF}));
}

TEST_F(PanelRender, PivotScanShowsThePictureUpright) {
    SetPanel(32, 16, 3); // shown 16 wide and 32 high
    SetReg(REG_PORTRAIT_MODE, 0x80);
    SetReg(REG_LINE_BYTE_COUNT, 20);
    SetReg(REG_SCRN1_START_ADDR_LSB, 15); // the last byte of the first line
    SetLut(7, 0x10, 0x20, 0x30);
    board[5 * 20 + 3] = 7;
    sim::PanelImage image = Render();
    ASSERT_EQ(image.width, 16);
    ASSERT_EQ(image.height, 32);
    EXPECT_EQ(Pixel(image, 3, 5), (Rgb{0x11, 0x22, 0x33}));
    EXPECT_EQ(Pixel(image, 4, 5), (Rgb{0, 0, 0}));

    // The seventeenth address bit counts in PivotScan.
    SetReg(REG_SCRN__START_ADDR, 1);
    board[0x10000 + 2 * 20] = 7;
    image = Render();
    EXPECT_EQ(Pixel(image, 0, 2), (Rgb{0x11, 0x22, 0x33}));
    EXPECT_EQ(Pixel(image, 3, 5), (Rgb{0, 0, 0}));
}

TEST_F(PanelRender, MonochromePanelShowsGreyAndMemoryEndsInBlack) {
    SetPanel(16, 4, 3, false);
    SetReg(REG_SCRN1_START_ADDR_LSB, 0xF0);
    SetReg(REG_SCRN1_START_ADDR_MSB, 0x9F); // 2 lines before the end of memory
    SetLut(5, 0xF0, 0x80, 0x00);
    std::fill(board.begin(), board.begin() + HAL_MEMORY_SIZE, 5);
    const sim::PanelImage image = Render();
    EXPECT_EQ(Pixel(image, 15, 1), (Rgb{0x88, 0x88, 0x88}));
    EXPECT_EQ(Pixel(image, 0, 2), (Rgb{0, 0, 0}));
}

TEST_F(PanelRender, RefusesWhatIsNotABoard) {
    sim::PanelImage image;
    std::string message;
    board[sim::kHeaderOffset] = 'X';
    EXPECT_FALSE(sim::RenderPanel(board, image, message));
    EXPECT_EQ(message, "not a simulated board file");
    std::vector<uint8_t> shortBoard(100);
    EXPECT_FALSE(sim::RenderPanel(shortBoard, image, message));
}

TEST_F(PanelRender, PngHoldsTheRenderedPixels) {
    SetPanel(64, 8, 3);
    SetLut(1, 0xF0, 0xF0, 0xF0);
    board[3 * 64 + 10] = 1;
    const sim::PanelImage image = Render();
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zlc-panel-" + std::to_string(::getpid()) + ".png"))
                                 .string();
    std::string message;
    ASSERT_TRUE(sim::WritePng(image, path, message)) << message;

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&png, path.c_str()), 0);
    png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(png));
    ASSERT_NE(png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr), 0);
    std::filesystem::remove(path);
    EXPECT_EQ(png.width, 64u);
    EXPECT_EQ(png.height, 8u);
    EXPECT_EQ(pixels, image.rgb);

    EXPECT_FALSE(sim::WritePng(image, "/nonexistent/dir/panel.png", message));
    EXPECT_FALSE(message.empty());
}

} // namespace
} // namespace zlc::test

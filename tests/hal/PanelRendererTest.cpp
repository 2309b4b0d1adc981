#include "hal/sim/PanelRenderer.h"

#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace zlc::test

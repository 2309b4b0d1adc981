#include "ui/qt/PanelPreviewWindow.h"
#include "ui/qt/WindowFixture.h"

#include <QScreen>

namespace zlc::ui::qt {
namespace {

class PanelPreviewTest : public WindowFixture {
  protected:
    QRgb Pixel(int x, int y) { return window->panelPreview()->picture().pixel(x, y) & 0xFFFFFF; }
};

TEST_F(PanelPreviewTest, FollowsTheColourDepthChosenOnAPage) {
    QAction* item = MenuItem("&View", "&Panel Preview");
    ASSERT_NE(item, nullptr);
    item->trigger();
    PanelPreviewWindow* preview = window->panelPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->picture().size(), QSize(320, 240));
    EXPECT_EQ(Pixel(17, 1), 0x0000AAu); // 8 bpp: the second square is table entry 1
    EXPECT_TRUE(preview->infoText().startsWith("320 x 240, 8 bpp, color, landscape\n"));

    ClickTab(1);
    Click(1302);

    EXPECT_EQ(Pixel(17, 1), 0xFF0000u); // 2 bpp: entry 1 is red
    EXPECT_TRUE(preview->infoText().startsWith("320 x 240, 2 bpp, color, landscape\n"));
}

// Beside the window when there is room, else over it: never off screen.
TEST_F(PanelPreviewTest, OpensInsideTheScreen) {
    const QRect available = window->screen()->availableGeometry();
    window->move(available.right() - window->frameGeometry().width(), available.top());
    MenuItem("&View", "&Panel Preview")->trigger();
    const PanelPreviewWindow* preview = window->panelPreview();
    EXPECT_TRUE(available.contains(preview->frameGeometry()))
        << preview->frameGeometry().x() << "," << preview->frameGeometry().width();
}

} // namespace
} // namespace zlc::ui::qt

// The Board menu and the timing window in the real window, reached from the
// keyboard, on a simulated board.
#include "support/Environment.h"
#include "ui/qt/TextWindow.h"
#include "ui/qt/TimingWindow.h"
#include "ui/qt/WindowFixture.h"

#include <QClipboard>
#include <QPushButton>
#include <QRegularExpression>

namespace zlc::ui::qt {
namespace {

constexpr int kHorzSize = 1514;
constexpr int kHorzNonDisplay = 1516;
constexpr int kHorzNonDisplayBar = 1518;

class BoardMenuQtTest : public WindowFixture {
  protected:
    const std::string board = dir / "panel.board";
    zlc::test::ScopedVariable chosen{"ZLC62740_BOARD", board.c_str()};
};

TEST_F(BoardMenuQtTest, ApplyThenCompareAndCopyTheDifferences) {
    ClickTab(3);
    TypeAndLeave(kHorzSize, "640");
    Key(Qt::Key_B, Qt::AltModifier);
    Key(Qt::Key_A); // Apply to Board
    EXPECT_TRUE(Diagnostics().startsWith(
        QString::fromStdString("Applied to the board " + board + ": 640 x 240")))
        << Diagnostics().toStdString();

    TypeAndLeave(kHorzSize, "320");
    Key(Qt::Key_B, Qt::AltModifier);
    Key(Qt::Key_C); // Compare with Board
    auto* compared = window->findChild<TextWindow*>("Compare with Board");
    ASSERT_NE(compared, nullptr);
    EXPECT_TRUE(compared->isVisible());
    EXPECT_TRUE(compared->text().contains(
        QRegularExpression("\nREG\\[04h\\] +REG_HORZ_PANEL_SIZE +27 +4F\n")))
        << compared->text().toStdString();

    QApplication::clipboard()->clear();
    QPushButton* copy = nullptr;
    for (QPushButton* button : compared->findChildren<QPushButton*>()) {
        copy = button->text() == "&Copy" ? button : copy;
    }
    ASSERT_NE(copy, nullptr);
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), compared->text());
}

TEST_F(BoardMenuQtTest, TimingDiagramFollowsEveryChange) {
    ClickTab(3);
    TypeAndLeave(kHorzNonDisplay, "64");
    Key(Qt::Key_V, Qt::AltModifier);
    Key(Qt::Key_T); // Timing Diagram
    TimingWindow* timing = window->timingWindow();
    ASSERT_NE(timing, nullptr);
    EXPECT_TRUE(timing->isVisible());
    EXPECT_TRUE(timing->labels().contains("Non-display period: 64 px = 10.67 us"))
        << timing->labels().toStdString();

    // A press at the start of the period's bar makes it the shortest.
    QWidget* bar = window->PageControl(kHorzNonDisplayBar);
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(0, bar->height() / 2));
    EXPECT_TRUE(timing->labels().contains("Non-display period: 32 px = 5.33 us"))
        << timing->labels().toStdString();
}

} // namespace
} // namespace zlc::ui::qt

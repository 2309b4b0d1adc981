#include "model/SettingsTable.h"
#include "ui/qt/WindowFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolTip>

namespace zlc::ui::qt {
namespace {

// The Panel page with the shipped panels.
class PanelPageQtTest : public WindowFixture {
  protected:
    PanelPageQtTest() {
        LoadPanelDefinitions(panels, ZLC_BIN_DIR, [](const std::string& m) { FAIL() << m; });
        ClickTab(3);
    }
};

// The list's popup is wide enough to read, and a click on an entry applies it.
TEST_F(PanelPageQtTest, ChosenPredefinedPanelFillsThePage) {
    auto* list = Control<QComboBox>(1530);
    ASSERT_NE(list, nullptr);
    const int entry = list->findText("Sharp LM64P89 640x480 mono dual STN");
    ASSERT_GE(entry, 0);
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    EXPECT_GE(view->width(), 200);
    const QModelIndex index = view->model()->index(entry, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QApplication::processEvents();
    EXPECT_EQ(list->currentIndex(), entry);
    EXPECT_EQ(Control<QComboBox>(1514)->currentText(), "640");
    EXPECT_EQ(Control<QLineEdit>(1516)->text(), "64");

    // The box is narrower than the name: its tip names the panel whole.
    const QPoint middle = list->rect().center();
    QHelpEvent help(QEvent::ToolTip, middle, list->mapToGlobal(middle));
    QApplication::sendEvent(list, &help);
    EXPECT_TRUE(QToolTip::text().contains("Sharp LM64P89 640x480 mono dual STN"));
}

TEST_F(PanelPageQtTest, BarsAndArrowsWriteTheirFieldAndSetting) {
    auto* bar = Control<QProgressBar>(1518);
    auto* field = Control<QLineEdit>(1516);
    ASSERT_TRUE(bar && field);
    EXPECT_EQ(bar->accessibleName(), "Horizontal Non-Display Period");
    EXPECT_TRUE(bar->accessibleDescription().startsWith("Specifies the horizontal non-display"));
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(0, bar->height() / 2));
    EXPECT_EQ(field->text(), "32");
    EXPECT_TRUE(field->hasFocus());
    QTest::mouseMove(bar, QPoint(bar->width() / 3, bar->height() / 2));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() / 3, bar->height() / 2));
    const uint32_t dragged = GetSetting(doc, SettingId::HorzNonDisplay);
    EXPECT_EQ(dragged % 8, 0u);
    EXPECT_GT(dragged, 32u);
    EXPECT_EQ(field->text(), QString::number(dragged));
    EXPECT_EQ(field->selectedText(), field->text());

    // The Up key in the field works the arrows beside it.
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(GetSetting(doc, SettingId::HorzNonDisplay), dragged + 8);
    EXPECT_EQ(bar->value(), static_cast<int>(dragged + 8));
    EXPECT_EQ(window->PageControl(1528)->property("text").toString(),
              QString(" %1 Hz").arg(GetSetting(doc, SettingId::FrameRate)));
}

// On a TFT panel the colour and dual-panel groups do not apply: their
// mnemonics leave the focus where it is (Alt+D goes to the data width first,
// then, pressed again, to the disabled dual-panel group).
TEST_F(PanelPageQtTest, MnemonicsOfDisabledGroupsDoNothing) {
    ASSERT_FALSE(window->PageControl(1506)->isEnabled());
    Click(1511);
    Key(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(FocusedControl(), 1511);
    Key(Qt::Key_D, Qt::AltModifier);
    const int dataWidth = FocusedControl();
    EXPECT_TRUE(dataWidth == 1504 || dataWidth == 1505) << dataWidth;
    Key(Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(FocusedControl(), dataWidth);
}

} // namespace
} // namespace zlc::ui::qt

#include "ui/qt/ListViewControl.h"
#include "ui/qt/WindowFixture.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolTip>

namespace zlc::ui::qt {
namespace {

constexpr int kScratchPad = 0x1A, kLineByteCount = 0x1C;

class RegistersQtTest : public WindowFixture {
  protected:
    RegistersQtTest() {
        ClickTab(5);
        list = Control<ListViewControl>(1701);
    }

    // Once the Modify Register dialog is up, types `text` over its value and
    // presses Enter, which presses OK; then, if `thenEscape`, presses Escape.
    void WhenDialogShownType(const QString& text, bool thenEscape = false) {
        QTimer::singleShot(0, [this, text, thenEscape] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            dialogTitle = dialog->windowTitle();
            auto* edit = dialog->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
            if (thenEscape) { // after the press of OK that Enter posted
                QTimer::singleShot(0, dialog, [this, dialog] {
                    openAtEscape = QApplication::activeModalWidget() == dialog;
                    QTest::keyClick(dialog, Qt::Key_Escape);
                });
            }
        });
    }

    QPoint RowCentre(int row) const {
        list->scrollToItem(list->topLevelItem(row));
        return list->visualRect(list->model()->index(row, 1)).center();
    }

    ListViewControl* list = nullptr;
    QString dialogTitle;
    bool openAtEscape = false;
};

TEST_F(RegistersQtTest, EnterAndDoubleClickOpenTheDialogOnTheirRow) {
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 32);

    list->setFocus();
    list->setCurrentItem(list->topLevelItem(kScratchPad));
    WhenDialogShownType("5A");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialogTitle, "Modify register 001Ah");
    EXPECT_EQ(doc.GetRegister(kScratchPad), 0x5A);
    EXPECT_EQ(list->topLevelItem(kScratchPad)->text(1), "5Ah");
    EXPECT_EQ(list->topLevelItem(kScratchPad)->text(0), "1Ah *");
    EXPECT_EQ(list->topLevelItem(kScratchPad)->text(2), "01011010b");

    WhenDialogShownType("C3");
    // A double click is a click followed by the double-click event.
    const QPoint row = RowCentre(kLineByteCount);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(dialogTitle, "Modify register 001Ch");
    EXPECT_EQ(doc.GetRegister(kLineByteCount), 0xC3);
    EXPECT_EQ(list->topLevelItem(kLineByteCount)->text(1), "C3h");
    EXPECT_EQ(doc.GetRegister(kScratchPad), 0x5A);
}

// OK refused by the dialog's logic keeps the dialog open; Escape cancels it.
TEST_F(RegistersQtTest, ARefusedValueKeepsTheDialogUntilEscape) {
    const uint8_t before = doc.GetRegister(kScratchPad);
    WhenDialogShownType("9x", true);
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(kScratchPad));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(scripted->messages.size(), 1u);
    EXPECT_TRUE(openAtEscape);
    EXPECT_EQ(doc.GetRegister(kScratchPad), before);
}

// Tab into the list marks its first row without selecting it; Enter opens
// that row.
TEST_F(RegistersQtTest, EnterOpensTheRowWithTheFocusMark) {
    window->tabBar()->setFocus();
    for (int press = 0; press < 8 && FocusedControl() != 1701; ++press) {
        Key(Qt::Key_Tab);
    }
    ASSERT_EQ(FocusedControl(), 1701);
    QTimer::singleShot(0, [this] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialogTitle = dialog->windowTitle();
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    Key(Qt::Key_Return);
    EXPECT_EQ(dialogTitle, "Modify register 0000h");
}

// The dialog opens with its value selected: what is typed replaces it, and
// the control that had the focus has it again afterwards.
TEST_F(RegistersQtTest, TheDialogOpensWithItsValueSelected) {
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(kScratchPad));
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->focusWidget(), "5A");
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return); // presses OK once done
        QTimer::singleShot(0, dialog, [dialog] { QTest::keyClick(dialog, Qt::Key_Escape); });
    });
    Key(Qt::Key_Return);
    EXPECT_EQ(doc.GetRegister(kScratchPad), 0x5A);
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == list; }));
}

// The list's tip is the one of the row under the pointer.
TEST_F(RegistersQtTest, TheTooltipDescribesTheRowUnderThePointer) {
    const QPoint pos = RowCentre(0x04);
    QHelpEvent help(QEvent::ToolTip, pos, list->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(list->viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("Register 0004h breakdown:"));
    EXPECT_TRUE(QToolTip::text().contains("Horz Size = 320 pixels"));
}

} // namespace
} // namespace zlc::ui::qt

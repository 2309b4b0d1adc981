#include "ui/qt/Dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zlc::ui::qt {
namespace {

constexpr int kName = 100;

constexpr ControlTemplate kControls[] = {
    {kName, ControlKind::Edit, "", 10, 10, 100, 12, ControlStyle::TabStop},
    {kIdOk, ControlKind::PushButton, "OK", 10, 30, 50, 14,
     ControlStyle::TabStop | ControlStyle::Default},
    {kIdCancel, ControlKind::PushButton, "Cancel", 70, 30, 50, 14, ControlStyle::TabStop},
};
constexpr DialogTemplate kDialog = {900, "Name", 130, 50, kControls};

// Accepts any name but "keep", which leaves the dialog open.
class NameDialog : public ModalDialog {
  public:
    NameDialog() : ModalDialog(kDialog) {}
    std::string accepted;
    std::string shownTitle;

  protected:
    void Init() override {
        host().SetText(kName, "first");
        host().SetDialogTitle("Name of the thing");
    }
    void OnClicked(int id) override {
        if (id == kIdOk && host().GetText(kName) != "keep") {
            accepted = host().GetText(kName);
            End(kIdOk);
            return;
        }
        ModalDialog::OnClicked(id);
    }
};

// Runs `action` on the dialog's window once it is up.
void WhenShown(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        action(window);
    });
}

// The default button's logic may refuse and keep the dialog; Escape cancels.
TEST(ModalDialogTest, OkIsRefusedByTheLogicAndEscapeReportsCancel) {
    NameDialog logic;
    WhenShown([&logic](QWidget* window) {
        logic.shownTitle = window->windowTitle().toStdString();
        auto* edit = window->findChild<QLineEdit*>();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "keep");
        QTest::keyClick(edit, Qt::Key_Return); // refused: the dialog stays
        QTest::keyClick(window, Qt::Key_Escape);
    });
    Dialogs dialogs;
    EXPECT_EQ(dialogs.RunModal(nullptr, logic), kIdCancel);
    EXPECT_EQ(logic.accepted, "");
    EXPECT_EQ(logic.shownTitle, "Name of the thing");
}

} // namespace
} // namespace zlc::ui::qt

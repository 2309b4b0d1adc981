// Enter in a dialog built from a template with an OK button: the typed value
// is committed first, and OK is pressed only when the value was accepted.
#include "ui/qt/QtDialogHost.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace zlc::ui::qt {
namespace {

constexpr int kField = 10;

constexpr ControlTemplate kControls[] = {
    {kNoId, ControlKind::Label, "&Value:", 4, 4, 40, 8, 0},
    {kField, ControlKind::Edit, "", 50, 4, 60, 12, ControlStyle::TabStop},
    {kIdOk, ControlKind::PushButton, "OK", 50, 30, 40, 14, ControlStyle::TabStop},
    {2, ControlKind::PushButton, "Cancel", 100, 30, 40, 14, ControlStyle::TabStop},
};
constexpr DialogTemplate kDialog = {900, "Test", 150, 50, kControls};

// Refuses the text "bad" as a page does: the field asks for the focus back.
class Recorder : public DialogEvents {
  public:
    void OnFocusLost(int id) override {
        events.push_back("lost " + std::to_string(id));
        if (host->GetText(id) == "bad") {
            host->RequestFocus(id);
        }
    }
    void OnClicked(int id) override { events.push_back("clicked " + std::to_string(id)); }

    QtDialogHost* host = nullptr;
    std::vector<std::string> events;
};

TEST(DialogHostTest, EnterCommitsTheFieldThenPressesOkUnlessRefused) {
    QWidget window;
    Recorder recorder;
    QtDialogHost host(kDialog, &window, [&] { return &recorder; });
    recorder.host = &host;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    auto* field = qobject_cast<QLineEdit*>(host.Control(kField));
    QTest::keyClick(&window, Qt::Key_V, Qt::AltModifier); // the label's mnemonic
    ASSERT_TRUE(field->hasFocus());

    QTest::keyClicks(field, "bad");
    QTest::keyClick(field, Qt::Key_Return);
    QApplication::processEvents(); // the posted press of OK, which must not come
    EXPECT_EQ(recorder.events, std::vector<std::string>{"lost 10"});
    EXPECT_TRUE(field->hasFocus());

    field->setText("good");
    QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return recorder.events.size() == 3; }));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"lost 10", "lost 10", "clicked 1"}));
    EXPECT_EQ(field->accessibleName(), "Value");
}

} // namespace
} // namespace zlc::ui::qt

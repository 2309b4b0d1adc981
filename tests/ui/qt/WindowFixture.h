#pragma once

#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "ui/qt/Dialogs.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtDialogHost.h"

#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zlc::ui::qt {

// File choices come from a queue and message boxes are recorded.
class ScriptedDialogs : public Dialogs {
  public:
    std::optional<std::string> ChooseFile(QWidget*, const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            return std::nullopt;
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(QWidget*, MessageIcon, const std::string& text) override {
        messages.push_back(text);
    }

    std::deque<std::string> answers;
    std::vector<std::string> messages;
    std::vector<FileDialogRequest> requests;
};

// The real main window on the offscreen platform, driven by key and mouse
// events; its file choices and messages are scripted unless the real dialogs
// are asked for.
class WindowFixture : public ::testing::Test {
  protected:
    explicit WindowFixture(bool realDialogs = false) {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        scripted = realDialogs ? nullptr : dialogs.get();
        window = std::make_unique<MainWindow>(
            doc, panels, realDialogs ? std::make_unique<Dialogs>() : std::move(dialogs));
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void ClickTab(int index) {
        QTabBar* tabs = window->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        // A refused change is undone from the event queue.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return tabs->currentIndex() == window->shell().currentTab(); }));
    }

    void Click(int control) {
        QWidget* widget = window->PageControl(control);
        ASSERT_NE(widget, nullptr) << control;
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    }

    // Key presses go where the keyboard focus is, as a user's do.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) {
            target = QApplication::focusWidget();
        }
        QTest::keyClick(target != nullptr ? target : window.get(), key, modifiers);
        QApplication::processEvents(); // posted focus requests and popups settle
    }

    // Focuses a control, selects its text and types over it, without leaving it.
    void TypeInto(int control, const QString& text) {
        QWidget* widget = window->PageControl(control);
        ASSERT_NE(widget, nullptr) << control;
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    void TypeAndLeave(int control, const QString& text) {
        TypeInto(control, text);
        Key(Qt::Key_Tab);
    }

    int FocusedControl() const {
        for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
            const QVariant id = w->property(kControlIdProperty);
            if (id.isValid()) {
                return id.toInt();
            }
        }
        return 0;
    }

    template <typename Widget> Widget* Control(int id) const {
        auto* widget = qobject_cast<Widget*>(window->PageControl(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    void Open(const std::string& path) {
        scripted->answers.push_back(path);
        window->TriggerCommand(Commands::Open);
        ASSERT_TRUE(scripted->messages.empty()) << scripted->messages.front();
    }

    // The item of the menu bar's `menu` whose text is `item`, as the menu
    // bar offers it before the menu opens; null when there is none.
    QAction* MenuItem(const QString& menu, const QString& item) const {
        for (QAction* top : window->menuBar()->actions()) {
            for (QAction* action :
                 top->text() == menu ? top->menu()->actions() : QList<QAction*>{}) {
                if (action->text() == item) {
                    return action;
                }
            }
        }
        return nullptr;
    }

    QString Diagnostics() const { return window->diagnosticsBox()->toPlainText(); }

    zlc::test::TempDir dir;
    ConfigDocument doc;
    PanelList panels;
    std::unique_ptr<MainWindow> window;
    // The window's file choices and messages; null with the real dialogs.
    ScriptedDialogs* scripted = nullptr;
};

} // namespace zlc::ui::qt

// The desktop conventions around the window: page keys, the Open dialog's
// listing, and starting without a display.
#include "support/BlockImages.h"
#include "ui/qt/DisplayCheck.h"
#include "ui/qt/WhenModal.h"
#include "ui/qt/WindowFixture.h"

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <map>
#include <sys/stat.h>

namespace zlc::ui::qt {
namespace {

using DesktopTest = WindowFixture;

TEST_F(DesktopTest, PageKeysGoRoundTheTabsUnlessAnInputErrorIsPending) {
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(window->shell().currentTab(), 1);
    Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(window->shell().currentTab(), 5);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window->shell().currentTab(), 0);

    Click(1206);
    TypeInto(1208, "12x");
    Key(Qt::Key_Tab, Qt::ControlModifier); // commits the field first, which refuses
    EXPECT_EQ(window->shell().currentTab(), 0);
    EXPECT_EQ(window->tabBar()->currentIndex(), 0);
    EXPECT_TRUE(Diagnostics().startsWith("ERROR: \"12x\""));
    ClickTab(2); // the tab bar gives the page back too
    EXPECT_EQ(window->shell().currentTab(), 0);
    TypeAndLeave(1208, "200000");
    ClickTab(2);
    EXPECT_EQ(window->shell().currentTab(), 2);
}

// A modal dialog gives the keyboard back where it took it from: after
// Configure Multiple (its progress and summary included) the window is
// active and the control that had the focus has it again.
TEST_F(DesktopTest, TheFocusComesBackAfterConfigureMultiple) {
    const std::string file = dir / "board.exe";
    zlc::test::WriteFile(
        file, zlc::test::ImageWith(2048, 640, zlc::test::BlockBytes(DefaultConfigBlock())));
    ClickTab(1);
    Click(1303);
    ASSERT_EQ(FocusedControl(), 1303);
    WhenModal("Configure Multiple", [](QWidget*) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    });
    window->shell().DropFiles({file});
    EXPECT_EQ(scripted->messages.size(), 1u); // the summary
    EXPECT_TRUE(QTest::qWaitFor([this] { return window->isActiveWindow(); }));
    EXPECT_EQ(FocusedControl(), 1303);
}

// The names the dialog lists in a directory. Indexes are asked for afresh:
// the listing changes while it is read.
QStringList Listed(QFileDialog& dialog, const QString& directory) {
    auto* proxy = dialog.proxyModel();
    auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
    const auto root = [&] { return proxy->mapFromSource(files->index(directory)); };
    QStringList names;
    for (int row = 0; row < proxy->rowCount(root()); ++row) {
        names << proxy->index(row, 0, root()).data().toString();
    }
    names.sort();
    return names;
}

TEST_F(DesktopTest, OpenListsExtensionlessProgramsAmongConfigurableFiles) {
    zlc::test::WriteFile(dir / "prog", std::string("\x7F"
                                                   "ELF\x01\x01",
                                                   6));
    zlc::test::WriteFile(dir / "notes", std::string("plain text"));
    zlc::test::WriteFile(dir / "panel.EXE", std::string("MZ"));
    zlc::test::WriteFile(dir / "readme.txt", std::string("text"));
    ::mkdir((dir / "sub").c_str(), 0700);
    window->TriggerCommand(Commands::Open);
    ASSERT_EQ(scripted->requests.size(), 1u);

    QFileDialog dialog;
    PrepareFileDialog(dialog, scripted->requests.front());
    dialog.setDirectory(QString::fromStdString(dir.path()));
    dialog.show();
    const QString path = QString::fromStdString(dir.path());
    const QStringList configurable = {"panel.EXE", "prog", "sub"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return Listed(dialog, path) == configurable; }))
        << Listed(dialog, path).join(' ').toStdString();
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QTest::keyClick(types, Qt::Key_End); // All Files
    EXPECT_TRUE(QTest::qWaitFor([&] { return Listed(dialog, path).size() == 5; }));
}

TEST(DisplayCheckTest, ANamedPlatformOrDisplayIsNeeded) {
    std::map<std::string, std::string> variables;
    const EnvironmentReader environment = [&](const char* name) -> const char* {
        const auto it = variables.find(name);
        return it == variables.end() ? nullptr : it->second.c_str();
    };
    char program[] = "62740CFG";
    char option[] = "-platform";
    char minimal[] = "minimal:fontengine=freetype";
    char* withOption[] = {program, option, minimal};
    EXPECT_FALSE(HasGraphicalDisplay(ChosenPlatform(1, withOption, environment), environment));
    EXPECT_TRUE(HasGraphicalDisplay(ChosenPlatform(3, withOption, environment), environment));
    variables["QT_QPA_PLATFORM"] = "offscreen";
    EXPECT_TRUE(HasGraphicalDisplay(ChosenPlatform(1, withOption, environment), environment));
    variables["QT_QPA_PLATFORM"] = "xcb;wayland";
    variables["WAYLAND_DISPLAY"] = "wayland-0";
    EXPECT_FALSE(HasGraphicalDisplay(ChosenPlatform(1, withOption, environment), environment));
    variables.erase("QT_QPA_PLATFORM");
    EXPECT_TRUE(HasGraphicalDisplay(ChosenPlatform(1, withOption, environment), environment));
}

// Without a display, or with one that cannot be reached, the program says so
// in one line and ends with status 1 instead of aborting.
TEST(DisplayCheckTest, StartingWithoutADisplaySaysSoInOneLine) {
    const std::string program = zlc::test::Quote(std::string(ZLC_BIN_DIR) + "/62740CFG");
    for (const std::string environment :
         {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ",
          "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:249 "}) {
        const auto result = zlc::test::Shell(environment + program);
        EXPECT_EQ(result.status, 1) << environment;
        EXPECT_EQ(result.err, NoDisplayMessage() + "\n") << environment;
    }
}

} // namespace
} // namespace zlc::ui::qt

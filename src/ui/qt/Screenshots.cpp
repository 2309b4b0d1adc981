// Saves a picture of the main window on each of its pages and of each of its
// dialogs, so that they can be looked at without clicking through them:
// 62740CFG-screenshots DIR.
#include "model/ConfigDocument.h"
#include "model/SettingsTable.h"
#include "panels/PanelList.h"
#include "ui/Shell.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtDialogHost.h"
#include "ui/qt/TimingWindow.h"
#include "ui/qt/WhenModal.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

using zlc::ui::qt::WhenModal;

namespace {

bool SavePicture(QWidget* widget, const QDir& directory, const QString& name) {
    const QString path = directory.filePath(name);
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void Close(QWidget* window) {
    QMetaObject::invokeMethod(window, "reject", Qt::QueuedConnection);
}

QPushButton* Button(QWidget* window, const QString& text) {
    for (auto* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// The four dialogs of the menus, and the Save As step of an export. Each is
// pictured as the user first sees it and then closed.
bool PictureDialogs(zlc::ui::qt::MainWindow& window, const QDir& directory) {
    using namespace zlc::ui;
    bool ok = true;
    const auto take = [&ok, &directory](QWidget* dialog, const char* name) {
        ok = SavePicture(dialog, directory, name) && ok;
    };
    WhenModal("Configure Multiple", [take](QWidget* dialog) {
        take(dialog, "dialog-configure-multiple.png");
        Close(dialog);
    });
    window.shell().DropFiles({"/home/user/boards/PANEL.EXE", "/home/user/boards/virt.s9"});

    WhenModal("Export", [take](QWidget* dialog) {
        take(dialog, "dialog-export.png");
        dialog->findChild<QListWidget*>()->setCurrentRow(2);
        WhenModal("Export As", [take](QWidget* saveAs) {
            take(saveAs, "dialog-export-as.png");
            WhenModal("WinCE Header File Export Options", [take](QWidget* options) {
                take(options, "dialog-wince-options.png");
                Close(options);
            });
            Button(saveAs, "&Options")->click();
            Close(saveAs);
        });
        Button(dialog, "&Export As...")->click();
    });
    window.TriggerCommand(Commands::Export);

    WhenModal("About 62740CFG", [take](QWidget* dialog) {
        take(dialog, "dialog-about.png");
        Close(dialog);
    });
    window.TriggerCommand(Commands::About);
    return ok;
}

} // namespace

namespace {

constexpr int kRegisterList = 1701;
constexpr int kSettleMs = 300;
constexpr int kShownRegister = 0x04;

// Opens the Modify Register dialog as a double click on a row does, and
// saves it once it is up.
bool SaveModifyRegisterDialog(zlc::ui::qt::MainWindow& window, const QDir& directory) {
    bool saved = false;
    QTimer::singleShot(100, [&directory, &saved] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        saved = SavePicture(dialog, directory, "dialog-302-modify-register.png");
        dialog->reject();
    });
    window.shell().currentPage()->OnRowActivated(kRegisterList, kShownRegister);
    return saved;
}

// The windows beside the main window: the timing diagram, and the comparison
// with a simulated board of its own after the panel was made wider.
bool PictureBoardWindows(zlc::ConfigDocument& doc, zlc::ui::qt::MainWindow& window,
                         const QDir& directory) {
    using namespace zlc::ui;
    const QTemporaryDir boardDirectory;
    ::setenv("ZLC62740_BOARD", qPrintable(boardDirectory.filePath("screenshots.board")), 1);
    window.TriggerCommand(Commands::TimingDiagram);
    QApplication::processEvents();
    bool ok = SavePicture(window.timingWindow(), directory, "window-timing-diagram.png");
    window.TriggerCommand(Commands::ApplyToBoard);
    QApplication::processEvents();
    ok = SavePicture(&window, directory, "window-applied-to-board.png") && ok;
    zlc::SetSetting(doc, zlc::SettingId::HorzPanelSize, 640);
    window.TriggerCommand(Commands::CompareWithBoard);
    QApplication::processEvents();
    auto* compared = window.findChild<QWidget*>("Compare with Board");
    return compared != nullptr &&
           SavePicture(compared, directory, "window-compare-with-board.png") && ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.exists() && !QDir().mkpath(directory.path())) {
        std::fprintf(stderr, "%s: cannot create %s\n", argv[0], argv[1]);
        return 1;
    }
    zlc::ConfigDocument doc;
    zlc::PanelList panels;
    zlc::LoadPanelDefinitions(
        panels, [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); });
    zlc::ui::qt::MainWindow window(doc, panels);
    window.show();
    const auto pages = zlc::ui::PageTable();
    for (size_t i = 0; i < pages.size(); ++i) {
        window.tabBar()->setCurrentIndex(static_cast<int>(i));
        if (pages[i].templateId == zlc::ui::Ids::RegistersPage) {
            window.pageHost()->SetSelection(kRegisterList, kShownRegister);
        }
        QApplication::processEvents();
        const QString name = QString("page-%1-%2.png")
                                 .arg(i + 1)
                                 .arg(QString(pages[i].title).toLower().replace(' ', '-'));
        if (!SavePicture(&window, directory, name)) {
            return 1;
        }
    }
    // The whole screen with the panel preview beside (or over) the window:
    // where new windows open.
    window.TriggerCommand(zlc::ui::Commands::PanelPreview);
    QElapsedTimer shown; // the new window is mapped and painted meanwhile
    shown.start();
    while (shown.elapsed() < kSettleMs) {
        QApplication::processEvents();
    }
    const QString screen = directory.filePath("screen-panel-preview.png");
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(screen)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(screen));
        return 1;
    }
    std::printf("%s\n", qPrintable(screen));
    return SaveModifyRegisterDialog(window, directory) && PictureDialogs(window, directory) &&
                   PictureBoardWindows(doc, window, directory)
               ? 0
               : 1;
}

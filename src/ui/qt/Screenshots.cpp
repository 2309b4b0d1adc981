// Saves a picture of the main window on each of its pages, and of the dialogs
// the pages open, so that they can be looked at without clicking through
// them: 62740CFG-screenshots DIR.
#include "model/ConfigDocument.h"
#include "panels/PanelList.h"
#include "ui/Shell.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtDialogHost.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTabBar>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int kRegisterList = 1701;
constexpr int kShownRegister = 0x04;

bool Save(QWidget* widget, const QDir& directory, const QString& name) {
    if (!widget->grab().save(directory.filePath(name))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        return false;
    }
    std::printf("%s\n", qPrintable(directory.filePath(name)));
    return true;
}

// Opens the Modify Register dialog as a double click on a row does, and
// saves it once it is up.
bool SaveModifyRegisterDialog(zlc::ui::qt::MainWindow& window, const QDir& directory) {
    bool saved = false;
    QTimer::singleShot(100, [&directory, &saved] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        saved = Save(dialog, directory, "dialog-302-modify-register.png");
        dialog->reject();
    });
    window.shell().currentPage()->OnRowActivated(kRegisterList, kShownRegister);
    return saved;
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
        if (!Save(&window, directory, name)) {
            return 1;
        }
    }
    return SaveModifyRegisterDialog(window, directory) ? 0 : 1;
}

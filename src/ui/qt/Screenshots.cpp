// Saves a picture of the main window on each of its pages, so that the pages
// can be looked at without clicking through them: 62740CFG-screenshots DIR.
#include "model/ConfigDocument.h"
#include "panels/PanelList.h"
#include "ui/Shell.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <cstdio>

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
        QApplication::processEvents();
        const QString name = QString("page-%1-%2.png")
                                 .arg(i + 1)
                                 .arg(QString(pages[i].title).toLower().replace(' ', '-'));
        if (!window.grab().save(directory.filePath(name))) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(name));
            return 1;
        }
        std::printf("%s\n", qPrintable(directory.filePath(name)));
    }
    return 0;
}

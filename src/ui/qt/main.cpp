#include "model/ConfigDocument.h"
#include "panels/PanelList.h"
#include "ui/AppIdentity.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Toolkit.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(zlc::ui::ProgramName()));
    // A Qt library older than the one the program was built for is named
    // before any window exists; the program goes on only when asked to.
    const bool goOn = zlc::ui::StartupToolkitCheck(
        zlc::ui::qt::QtToolkitVersions(), [](const std::string& question) {
            return zlc::ui::qt::Dialogs().AskYesNo(nullptr, question);
        });
    if (!goOn) {
        return 0;
    }
    zlc::ConfigDocument doc;
    // The panels are read before the window exists: their messages have no owner.
    zlc::PanelList panels;
    zlc::LoadPanelDefinitions(panels, [](const std::string& message) {
        zlc::ui::qt::Dialogs().ShowMessage(nullptr, zlc::ui::MessageIcon::Error, message);
    });
    zlc::ui::qt::MainWindow window(doc, panels);
    window.show();
    return QApplication::exec();
}

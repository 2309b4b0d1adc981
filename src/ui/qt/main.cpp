#include "model/ConfigDocument.h"
#include "panels/PanelList.h"
#include "ui/AppIdentity.h"
#include "ui/CommandLineHelp.h"
#include "ui/qt/DisplayCheck.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Toolkit.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

// How long a window manager may take to place and activate the window.
constexpr int kPlacementWaitMs = 1000;

QtMessageHandler qtHandler = nullptr;
QStringList startupMessages;

// A display that is named but cannot be reached ends Qt's start-up with
// warnings and a fatal message: say what is missing instead, in one line.
// Messages of a start-up that succeeds are passed on afterwards.
void HoldStartupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", zlc::ui::qt::NoDisplayMessage().c_str());
        std::_Exit(EXIT_FAILURE);
    }
    startupMessages << message;
}

void ReleaseStartupMessages() {
    qInstallMessageHandler(qtHandler);
    for (const QString& message : startupMessages) {
        qWarning().noquote() << message;
    }
    startupMessages.clear();
}

} // namespace

int main(int argc, char** argv) {
    if (const auto answer = zlc::ui::CommandLineAnswer(argc, argv)) {
        std::fputs(answer->c_str(), stdout);
        return EXIT_SUCCESS;
    }
    const auto environment = [](const char* name) { return std::getenv(name); };
    if (!zlc::ui::qt::HasGraphicalDisplay(zlc::ui::qt::ChosenPlatform(argc, argv, environment),
                                          environment)) {
        std::fprintf(stderr, "%s\n", zlc::ui::qt::NoDisplayMessage().c_str());
        return EXIT_FAILURE;
    }
    qtHandler = qInstallMessageHandler(HoldStartupMessages);
    QApplication app(argc, argv);
    ReleaseStartupMessages();
    QApplication::setApplicationName(QString::fromStdString(zlc::ui::ProgramName()));
    QApplication::setWindowIcon(QIcon(":/62740CFG.png"));
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
    // A file named on the command line (a file manager's "Open With") is
    // opened as File > Open opens it, once the window is up and placed (at
    // its first activation, or after a while without one), so that a message
    // about the file stands over the window.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const std::string file = QFileInfo(arguments[1]).absoluteFilePath().toStdString();
        auto pending = std::make_shared<bool>(true);
        const auto open = [&window, file, pending] {
            if (std::exchange(*pending, false)) {
                window.shell().OpenFile(file);
            }
        };
        QObject::connect(window.windowHandle(), &QWindow::activeChanged, &window, open);
        QTimer::singleShot(kPlacementWaitMs, &window, open);
    }
    return QApplication::exec();
}

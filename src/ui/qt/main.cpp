#include "model/ConfigDocument.h"
#include "ui/AppIdentity.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(zlc::ui::ProgramName()));
    zlc::ConfigDocument doc;
    zlc::ui::qt::MainWindow window(doc);
    window.show();
    return QApplication::exec();
}

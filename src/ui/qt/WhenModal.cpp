#include "ui/qt/WhenModal.h"

#include <QApplication>
#include <QTimer>

namespace zlc::ui::qt {

void WhenModal(const QString& title, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, title, action] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr || window->windowTitle() != title || !window->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        QApplication::processEvents(); // let the window finish laying itself out
        action(window);
    });
    timer->start();
}

} // namespace zlc::ui::qt

#include "ui/AppIdentity.h"
#include "ui/qt/Dialogs.h"

#include <QApplication>
#include <QPushButton>

namespace zlc::ui::qt {

void Dialogs::BeginWait(QWidget* owner, const std::string& text) {
    QWidget* modal = QApplication::activeModalWidget();
    wait_ = std::make_unique<QProgressDialog>(modal != nullptr ? modal : owner);
    wait_->setWindowTitle(QString::fromStdString(ProgramName()));
    wait_->setLabelText(QString::fromStdString(text));
    auto* cancel = new QPushButton("&Cancel", wait_.get());
    cancel->setAccessibleName("Cancel");
    cancel->setAccessibleDescription("Stops waiting; the file is not saved.");
    wait_->setCancelButton(cancel);
    wait_->setRange(0, 0); // no end known: a busy indicator
    wait_->setWindowModality(Qt::WindowModal);
    wait_->setMinimumDuration(0);
    wait_->setAccessibleName(QString::fromStdString(text));
    wait_->show();
    QApplication::processEvents();
}

bool Dialogs::WaitGoesOn() {
    QApplication::processEvents();
    return wait_ && !wait_->wasCanceled();
}

void Dialogs::EndWait() {
    wait_.reset();
}

} // namespace zlc::ui::qt

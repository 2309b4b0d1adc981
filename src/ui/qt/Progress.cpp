#include "ui/AppIdentity.h"
#include "ui/qt/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace zlc::ui::qt {

bool Dialogs::AskYesNo(QWidget* owner, const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(ProgramName()),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void Dialogs::ShowProgress(QWidget* owner, int done, int total) {
    if (done >= total) {
        progress_.reset();
        return;
    }
    if (!progress_) {
        QWidget* modal = QApplication::activeModalWidget();
        progress_ = std::make_unique<QProgressDialog>(modal != nullptr ? modal : owner);
        progress_->setWindowTitle(QString::fromStdString(ProgramName()));
        progress_->setLabelText("Configuring files...");
        progress_->setCancelButton(nullptr);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(0);
        progress_->setAccessibleName("Configuring files");
    }
    progress_->setRange(0, total);
    progress_->setValue(done);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zlc::ui::qt

#include "ui/qt/Dialogs.h"

#include "ui/AppIdentity.h"
#include "ui/qt/ConfigurableFileFilter.h"
#include "ui/qt/FocusReturn.h"
#include "ui/qt/LongMessage.h"
#include "ui/qt/QtDialogHost.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace zlc::ui::qt {

namespace {

// What a title bar holds beside the title: the icon and the window buttons.
constexpr int kTitleBarRoom = 160;

// A dialog whose controls come from a template and whose behaviour is the
// logic's: Esc and the close button report a click on Cancel, and the dialog
// ends only when the logic ends it.
class TemplateDialog : public QDialog {
  public:
    TemplateDialog(QWidget* owner, ModalDialog& logic) : QDialog(owner), logic_(logic) {
        const DialogTemplate& dialog = logic.dialogTemplate();
        setWindowTitle(QString::fromUtf8(dialog.caption));
        host_ = new QtDialogHost(dialog, this, [this] { return &logic_; });
        templateSize_ = host_->widget()->size();
        setAcceptDrops(logic.AcceptsDroppedFiles());
        logic_.Attach(*host_);
        FitSize();
        FocusFirstControl();
    }

    void reject() override { logic_.OnClicked(kIdCancel); }

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::RightButton) {
            logic_.OnRightDoubleClick();
        }
    }
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (event->mimeData()->hasUrls()) {
            event->acceptProposedAction();
        }
    }
    void dropEvent(QDropEvent* event) override {
        std::vector<std::string> files;
        for (const QUrl& url : event->mimeData()->urls()) {
            if (url.isLocalFile()) {
                files.push_back(url.toLocalFile().toStdString());
            }
        }
        logic_.OnFilesDropped(files);
        event->acceptProposedAction();
    }

    void resizeEvent(QResizeEvent* event) override {
        QDialog::resizeEvent(event);
        if (host_->Stretches()) {
            host_->Stretch(size() - templateSize_);
        }
    }

  private:
    // A dialog whose lists can grow opens large enough for their entries
    // and its title, and may be made larger; the others keep their size.
    void FitSize() {
        if (!host_->Stretches()) {
            setFixedSize(templateSize_);
            return;
        }
        QSize least = templateSize_ + host_->ContentRoom();
        least.setWidth(std::max(least.width(),
                                fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarRoom));
        setMinimumSize(least);
        resize(least);
        host_->Stretch(least - templateSize_);
    }

    // The dialog opens with the focus on its first control; a field there has
    // its text selected, so that what the user types replaces it.
    void FocusFirstControl() {
        for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) == 0 || !w->isEnabled() ||
                !w->isVisibleTo(this)) {
                continue;
            }
            w->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                edit->selectAll();
            } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
                spin->selectAll();
            }
            return;
        }
    }

    ModalDialog& logic_;
    QtDialogHost* host_ = nullptr;
    QSize templateSize_;
};

// A filter that lists extensionless programs needs the dialog's own listing,
// which can be narrowed by a proxy model.
void AddProgramFilter(QFileDialog& dialog, const FileDialogRequest& request,
                      const QStringList& filters) {
    QString programFilter;
    QString programDescription; // what the dialog names it by with details hidden
    for (size_t i = 0; i < request.filters.size(); ++i) {
        if (request.filters[i].withExtensionlessPrograms) {
            programFilter = filters[static_cast<qsizetype>(i)];
            programDescription = QString::fromStdString(request.filters[i].description);
        }
    }
    if (programFilter.isEmpty()) {
        return;
    }
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* proxy = new ConfigurableFileFilter(&dialog);
    dialog.setProxyModel(proxy);
    const auto follow = [proxy, programFilter, programDescription](const QString& chosen) {
        proxy->SetActive(chosen == programFilter || chosen == programDescription);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, proxy, follow);
    follow(dialog.selectedNameFilter());
}

} // namespace

QString QtNameFilter(const FileFilter& filter) {
    QStringList patterns;
    QString given = QString::fromStdString(filter.patterns);
    if (filter.withExtensionlessPrograms) {
        given += ";*.*"; // the dialog's proxy model narrows the listing
    }
    for (const QString& pattern : given.split(';')) {
        if (pattern == "*.*") {
            patterns << "*";
            continue;
        }
        for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
            if (!patterns.contains(variant)) {
                patterns << variant;
            }
        }
    }
    return QString::fromStdString(filter.description) + " (" + patterns.join(' ') + ")";
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters << QtNameFilter(filter);
    }
    // The filters read as their descriptions alone; the patterns are Qt's.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    AddProgramFilter(dialog, request, filters);
    if (!request.initialName.empty()) {
        dialog.selectFile(QString::fromStdString(request.initialName));
    }
    AddRequestButtons(dialog, request);
}

std::optional<std::string> Dialogs::ChooseFile(QWidget* owner, const FileDialogRequest& request) {
    const FocusReturn focusReturn;
    QFileDialog dialog(owner);
    PrepareFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

void Dialogs::ShowMessage(QWidget* owner, MessageIcon icon, const std::string& text) {
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                   QMessageBox::Critical, QMessageBox::Question};
    const FocusReturn focusReturn;
    if (ShowLongMessage(owner, kIcons[static_cast<int>(icon)], text)) {
        return;
    }
    QMessageBox box(kIcons[static_cast<int>(icon)], QString::fromStdString(ProgramName()),
                    QString::fromStdString(text), QMessageBox::Ok, owner);
    box.exec();
}

int Dialogs::RunModal(QWidget* owner, ModalDialog& dialog) {
    // A dialog opened from within another one belongs to that one.
    const FocusReturn focusReturn;
    QWidget* modal = QApplication::activeModalWidget();
    TemplateDialog window(modal != nullptr ? modal : owner, dialog);
    return window.exec();
}

SaveAnswer Dialogs::AskSaveChanges(QWidget* owner, const std::string& question) {
    const FocusReturn focusReturn;
    QMessageBox box(QMessageBox::Question, QString::fromStdString(ProgramName()),
                    QString::fromStdString(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

} // namespace zlc::ui::qt

#include "ui/qt/Dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace zlc::ui::qt {

namespace {

QString WithoutMnemonic(const std::string& caption) {
    return QString::fromStdString(caption).remove(QRegularExpression("&(?!&)"));
}

} // namespace

void AddRequestButtons(QFileDialog& dialog, const FileDialogRequest& request) {
    // A name typed without an extension gets the request's.
    if (!request.open && !request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    }
    if (request.buttons.empty() && request.acceptLabel.empty()) {
        return;
    }
    // Only Qt's own dialog can take buttons of ours.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.acceptLabel.empty()) {
        dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(request.acceptLabel));
    }
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr || request.buttons.empty()) {
        return;
    }
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const FileDialogButton& wanted : request.buttons) {
        auto* button = new QPushButton(QString::fromStdString(wanted.caption), &dialog);
        button->setAutoDefault(false);
        button->setEnabled(wanted.enabled);
        button->setAccessibleName(WithoutMnemonic(wanted.caption));
        const auto onClick = wanted.onClick;
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, onClick] {
            if (!onClick) {
                return;
            }
            if (const auto name = onClick()) {
                // The name field only: the folder shown stays as it is.
                if (auto* field = dialog.findChild<QLineEdit*>("fileNameEdit")) {
                    field->setText(QString::fromStdString(*name));
                } else {
                    dialog.selectFile(QString::fromStdString(*name));
                }
            }
        });
        row->addWidget(button);
    }
    grid->addLayout(row, grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace zlc::ui::qt

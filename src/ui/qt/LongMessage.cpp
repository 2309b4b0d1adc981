#include "ui/qt/LongMessage.h"

#include "ui/AppIdentity.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace zlc::ui::qt {

namespace {

constexpr int kMostLinesInABox = 25;
constexpr int kShownColumns = 80;

QStyle::StandardPixmap IconPixmap(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Warning:
        return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical:
        return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question:
        return QStyle::SP_MessageBoxQuestion;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

bool ShowLongMessage(QWidget* owner, QMessageBox::Icon icon, const std::string& text) {
    if (std::count(text.begin(), text.end(), '\n') < kMostLinesInABox) {
        return false;
    }
    QDialog box(owner);
    box.setWindowTitle(QString::fromStdString(ProgramName()));
    auto* iconLabel = new QLabel(&box);
    const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    iconLabel->setPixmap(box.style()->standardIcon(IconPixmap(icon)).pixmap(size, size));
    iconLabel->setAlignment(Qt::AlignTop);
    auto* textBox = new QPlainTextEdit(QString::fromStdString(text), &box);
    textBox->setReadOnly(true);
    textBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox->setAccessibleName(QString::fromStdString(ProgramName()));
    const QFontMetrics metrics(textBox->font());
    textBox->setMinimumSize(metrics.averageCharWidth() * kShownColumns,
                            metrics.lineSpacing() * kMostLinesInABox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(iconLabel);
    row->addWidget(textBox);
    auto* layout = new QVBoxLayout(&box);
    layout->addLayout(row);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    box.exec();
    return true;
}

} // namespace zlc::ui::qt

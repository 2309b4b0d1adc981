#include "ui/qt/TextWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace zlc::ui::qt {

namespace {

constexpr int kShownColumns = 100;
constexpr int kShownLines = 20;

} // namespace

TextWindow::TextWindow(const QString& title, QWidget* owner) : QWidget(owner, Qt::Window) {
    // It goes with the main window: the program ends when that one closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setObjectName(title);
    setWindowTitle(title);
    setAccessibleName(title);
    textBox_ = new QPlainTextEdit;
    textBox_->setReadOnly(true);
    textBox_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textBox_->setAccessibleName(title);
    textBox_->setTabStopDistance(textBox_->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 12);
    const QFontMetrics metrics(textBox_->font());
    textBox_->setMinimumSize(metrics.averageCharWidth() * kShownColumns,
                             metrics.lineSpacing() * kShownLines);

    auto* buttons = new QDialogButtonBox;
    QPushButton* copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
    copy->setAccessibleDescription("Puts the whole text on the clipboard");
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    connect(copy, &QPushButton::clicked, this, &TextWindow::CopyAll);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textBox_, 1);
    layout->addWidget(buttons);
    auto* escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TextWindow::SetText(const std::string& text) {
    textBox_->setPlainText(QString::fromStdString(text));
}

QString TextWindow::text() const {
    return textBox_->toPlainText();
}

void TextWindow::CopyAll() const {
    QApplication::clipboard()->setText(text());
}

TextWindow* TextWindow::Show(QWidget* owner, const std::string& title, const std::string& text) {
    const QString name = QString::fromStdString(title);
    auto* window = owner->findChild<TextWindow*>(name, Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new TextWindow(name, owner);
    }
    window->SetText(text);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace zlc::ui::qt

#pragma once

#include <QWidget>
#include <string>

class QPlainTextEdit;

namespace zlc::ui::qt {

// A window beside the main window with a text to read and copy: the text can
// be selected, and Copy puts all of it on the clipboard. It stays open while
// the user goes on working; the next text of the same title replaces it.
class TextWindow : public QWidget {
  public:
    TextWindow(const QString& title, QWidget* owner);

    void SetText(const std::string& text);
    QString text() const;
    void CopyAll() const;

    // Shows `text` in the owner's window of that title, made when missing.
    static TextWindow* Show(QWidget* owner, const std::string& title, const std::string& text);

  private:
    QPlainTextEdit* textBox_ = nullptr;
};

} // namespace zlc::ui::qt

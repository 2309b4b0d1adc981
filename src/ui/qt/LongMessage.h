#pragma once

#include <QMessageBox>
#include <string>

namespace zlc::ui::qt {

// A message too long for a message box on the screen (the summary of many
// configured files) is shown whole in a box whose text scrolls. False, and
// nothing shown, for a text that a message box holds.
bool ShowLongMessage(QWidget* owner, QMessageBox::Icon icon, const std::string& text);

} // namespace zlc::ui::qt

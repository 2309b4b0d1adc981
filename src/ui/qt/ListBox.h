#pragma once

#include "ui/DialogTemplates.h"

#include <QListWidget>

namespace zlc::ui::qt {

// A list box of a template: single selection, not sorted by itself, the
// texts after tab characters in one column at a tab stop (every 32
// horizontal dialog units), in the fixed-pitch font when the template asks
// for it.
QListWidget* CreateListBox(const ControlTemplate& control, QWidget* parent);

} // namespace zlc::ui::qt

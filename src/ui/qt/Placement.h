#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace zlc::ui::qt {

// Where a new window of `size` goes: beside `owner`, to its right, when it
// fits there, else over it; always inside the available area of the owner's
// screen, so that no part of it opens off screen.
QPoint PlaceBeside(const QWidget& owner, QSize size);

} // namespace zlc::ui::qt

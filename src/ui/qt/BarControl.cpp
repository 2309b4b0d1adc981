#include "ui/qt/BarControl.h"

#include "ui/ScrollControls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>

namespace zlc::ui::qt {

BarControl::BarControl(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setFocusPolicy(Qt::StrongFocus);
}

// A progress bar draws no focus of its own; the style's mark goes round it.
void BarControl::paintEvent(QPaintEvent* event) {
    QProgressBar::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange; // shown however the focus came
    option.rect = rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void BarControl::Attach(QLineEdit* buddy, int step) {
    buddy_ = buddy;
    step_ = std::max(step, 1);
    dragging_ = false;
}

void BarControl::MoveTo(int position) {
    setValue(position);
    if (buddy_ != nullptr) {
        buddy_->setText(QString::number(position));
    }
    emit positionChanged(position);
}

void BarControl::DragTo(int x) {
    MoveTo(BarPositionAt(x, 0, width() - 1, minimum(), maximum(), step_));
}

void BarControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QProgressBar::mousePressEvent(event);
        return;
    }
    // The field shows what the bar sets; it takes the focus, so that its
    // own commit sees the dragged value.
    if (buddy_ != nullptr) {
        buddy_->setFocus(Qt::MouseFocusReason);
    }
    dragging_ = true;
    DragTo(event->position().toPoint().x());
}

void BarControl::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        DragTo(event->position().toPoint().x());
    }
}

void BarControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        EndDrag();
    }
}

void BarControl::EndDrag() {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    if (buddy_ != nullptr) {
        buddy_->selectAll();
    }
}

void BarControl::keyPressEvent(QKeyEvent* event) {
    const int page = BarPageStep(minimum(), maximum(), step_);
    int target = value();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        target -= step_;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        target += step_;
        break;
    case Qt::Key_PageDown:
        target -= page;
        break;
    case Qt::Key_PageUp:
        target += page;
        break;
    case Qt::Key_Home:
        target = minimum();
        break;
    case Qt::Key_End:
        target = maximum();
        break;
    default:
        QProgressBar::keyPressEvent(event);
        return;
    }
    MoveTo(std::clamp(target, minimum(), maximum()));
}

} // namespace zlc::ui::qt

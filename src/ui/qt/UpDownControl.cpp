#include "ui/qt/UpDownControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace zlc::ui::qt {

namespace {

// The pause before a held arrow repeats, and the pace of the repeats.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 80;

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus); // the buddy field keeps the focus
    return button;
}

} // namespace

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(Qt::UpArrow, this)), down_(MakeArrow(Qt::DownArrow, this)) {
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::pressed, this, [this] { StartHolding(+1); });
    connect(down_, &QToolButton::pressed, this, [this] { StartHolding(-1); });
    connect(up_, &QToolButton::released, this, &UpDownControl::StopHolding);
    connect(down_, &QToolButton::released, this, &UpDownControl::StopHolding);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatIntervalMs);
        Step(direction_);
    });
}

void UpDownControl::SetBuddy(QLineEdit* buddy) {
    buddy_ = buddy;
    if (buddy_ != nullptr) {
        buddy_->installEventFilter(this);
    }
}

void UpDownControl::SetRange(int low, int high) {
    low_ = low;
    high_ = high;
}

void UpDownControl::SetPosition(int position) {
    position_ = std::clamp(position, low_, high_);
    if (buddy_ != nullptr) {
        buddy_->setText(QString::number(position_));
    }
}

void UpDownControl::StartHolding(int direction) {
    direction_ = direction;
    held_.start();
    Step(direction);
    repeat_.start(kRepeatDelayMs);
}

void UpDownControl::StopHolding() {
    repeat_.stop();
    direction_ = 0;
}

void UpDownControl::Step(int direction) {
    if (direction == 0 || !isEnabled()) {
        return;
    }
    bool typed = false;
    const int fromField = buddy_ != nullptr ? buddy_->text().toInt(&typed) : 0;
    const int from = typed ? fromField : position_;
    const int step = steps_.StepAfter(static_cast<int>(held_.elapsed()));
    SetPosition(UpDownStepped(from, direction, step, low_, high_));
    emit positionChanged(position_);
}

// The Up and Down keys in the buddy field work the arrows; a key held down
// repeats and speeds up like a held arrow.
bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            if (!key->isAutoRepeat()) {
                held_.start();
            }
            Step(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::resizeEvent(QResizeEvent* event) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
    QWidget::resizeEvent(event);
}

} // namespace zlc::ui::qt

#include "ui/qt/Placement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace zlc::ui::qt {

namespace {

constexpr int kGap = 8;

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

} // namespace

QPoint PlaceBeside(const QWidget& owner, QSize size) {
    const QRect frame = owner.frameGeometry();
    const QRect available = owner.screen()->availableGeometry();
    QPoint place = frame.topRight() + QPoint(kGap, 0);
    if (!available.contains(QRect(place, size))) {
        place = frame.center() - QPoint(size.width() / 2, size.height() / 2);
    }
    return {Clamp(place.x(), available.left(), available.right() + 1 - size.width()),
            Clamp(place.y(), available.top(), available.bottom() + 1 - size.height())};
}

} // namespace zlc::ui::qt

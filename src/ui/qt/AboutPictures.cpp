#include "ui/qt/AboutPictures.h"

#include "base/BuildInfo.h"
#include "ui/AboutDialog.h"

#include <QLinearGradient>
#include <QPainter>

namespace zlc::ui::qt {

namespace {

// A panel on its board showing the colour bars of a test pattern.
void DrawPanel(QPainter& painter, const QRectF& area) {
    painter.fillRect(area, QColor(0x1F, 0x3A, 0x2A));
    const QRectF bezel = area.adjusted(area.width() * 0.08, area.height() * 0.12,
                                       -area.width() * 0.08, -area.height() * 0.30);
    painter.fillRect(bezel, Qt::black);
    const QRectF screen = bezel.adjusted(3, 3, -3, -3);
    static const QColor kBars[] = {Qt::white,   Qt::yellow, Qt::cyan, Qt::green,
                                   Qt::magenta, Qt::red,    Qt::blue, Qt::black};
    const qreal barWidth = screen.width() / std::size(kBars);
    for (size_t i = 0; i < std::size(kBars); ++i) {
        painter.fillRect(QRectF(screen.left() + barWidth * i, screen.top(), barWidth + 0.5,
                                screen.height() * 0.7),
                         kBars[i]);
    }
    QLinearGradient ramp(screen.left(), 0, screen.right(), 0);
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    painter.fillRect(QRectF(screen.left(), screen.top() + screen.height() * 0.7, screen.width(),
                            screen.height() * 0.3),
                     ramp);
    // The chip below the panel.
    const QRectF chip(area.center().x() - area.width() * 0.15, area.bottom() - area.height() * 0.24,
                      area.width() * 0.3, area.height() * 0.16);
    painter.fillRect(chip, QColor(0x20, 0x20, 0x20));
    painter.setPen(QColor(0xD0, 0xD0, 0xD0));
    QFont font = painter.font();
    font.setPixelSize(std::max(6, static_cast<int>(chip.height() * 0.45)));
    painter.setFont(font);
    painter.drawText(chip, Qt::AlignCenter, ChipNumber);
}

// The chip in its package, pins on all four sides.
void DrawChip(QPainter& painter, const QRectF& area) {
    painter.fillRect(area, QColor(0xE8, 0xE4, 0xD8));
    const qreal side = std::min(area.width(), area.height()) * 0.62;
    const QRectF body(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    const int pins = 8;
    const qreal pitch = side / (pins + 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xB0, 0xB0, 0xB8));
    const qreal length = side * 0.14;
    for (int i = 1; i <= pins; ++i) {
        const qreal at = pitch * i - pitch * 0.2;
        painter.drawRect(QRectF(body.left() + at, body.top() - length, pitch * 0.4, length));
        painter.drawRect(QRectF(body.left() + at, body.bottom(), pitch * 0.4, length));
        painter.drawRect(QRectF(body.left() - length, body.top() + at, length, pitch * 0.4));
        painter.drawRect(QRectF(body.right(), body.top() + at, length, pitch * 0.4));
    }
    painter.setBrush(QColor(0x24, 0x24, 0x28));
    painter.drawRoundedRect(body, 3, 3);
    painter.setBrush(QColor(0x60, 0x60, 0x68));
    painter.drawEllipse(QPointF(body.left() + side * 0.15, body.top() + side * 0.15), side * 0.05,
                        side * 0.05);
    painter.setPen(QColor(0xF0, 0xF0, 0xF0));
    QFont font = painter.font();
    font.setPixelSize(std::max(6, static_cast<int>(side * 0.16)));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(body, Qt::AlignCenter, QString("ZLC\n%1").arg(ChipNumber));
}

} // namespace

PictureControl::PictureControl(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void PictureControl::SetPicture(int number) {
    picture_ = number;
    update();
}

void PictureControl::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = contentsRect();
    if (picture_ == AboutIds::FirstPicture) {
        DrawPanel(painter, area);
    } else if (picture_ == AboutIds::SecondPicture) {
        DrawChip(painter, area);
    }
}

} // namespace zlc::ui::qt

#include "ui/qt/TimingWindow.h"

#include "timing/TimingDrawing.h"

#include <QKeySequence>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>
#include <cstring>

namespace zlc::ui::qt {

namespace {

constexpr const char* kTitle = "Timing Diagram";

QColor ToQColor(timing::Color c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace

// Paints the shapes of a timing drawing as they are listed.
class TimingCanvas : public QWidget {
  public:
    timing::Drawing drawing;

    void Show(timing::Drawing newDrawing) {
        drawing = std::move(newDrawing);
        setFixedSize(drawing.width, drawing.height);
        QStringList texts;
        for (const timing::Shape& shape : drawing.shapes) {
            if (shape.kind == timing::Shape::Kind::Text) {
                texts << QString::fromStdString(shape.text);
            }
        }
        setAccessibleDescription(texts.join('\n'));
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(drawing.background));
        for (const timing::Shape& shape : drawing.shapes) {
            Paint(painter, shape);
        }
    }

  private:
    static void Paint(QPainter& painter, const timing::Shape& shape) {
        switch (shape.kind) {
        case timing::Shape::Kind::Rect:
            painter.fillRect(shape.x, shape.y, shape.w, shape.h, ToQColor(shape.color));
            break;
        case timing::Shape::Kind::Polyline: {
            QPolygon line;
            for (const timing::Point& p : shape.points) {
                line << QPoint(p.x, p.y);
            }
            painter.setPen(QPen(ToQColor(shape.color), 2));
            painter.drawPolyline(line);
            break;
        }
        case timing::Shape::Kind::Text: {
            QFont font = painter.font();
            font.setPixelSize(shape.h);
            painter.setFont(font);
            painter.setPen(ToQColor(shape.color));
            painter.drawText(QRect(shape.x, shape.y, 4000, shape.h * 2),
                             Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(shape.text));
            break;
        }
        }
    }
};

TimingWindow::TimingWindow(const ConfigDocument& doc, QWidget* owner)
    : QWidget(owner, Qt::Window), doc_(doc) {
    // It goes with the main window: the program ends when that one closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);
    canvas_ = new TimingCanvas;
    canvas_->setAccessibleName(kTitle);
    canvas_->setFocusPolicy(Qt::StrongFocus); // a screen reader reaches the labels
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void TimingWindow::Refresh() {
    if (drawn_ && std::memcmp(&*drawn_, &doc_.block, sizeof doc_.block) == 0) {
        return;
    }
    drawn_ = doc_.block;
    canvas_->Show(timing::DrawTiming(timing::TimingOf(doc_)));
}

const timing::Drawing& TimingWindow::drawing() const {
    return canvas_->drawing;
}

QString TimingWindow::labels() const {
    return canvas_->accessibleDescription();
}

} // namespace zlc::ui::qt

#pragma once

#include <QProgressBar>

class QLineEdit;

namespace zlc::ui::qt {

// A bar that the pointer drags: the position under the pointer, rounded up to
// the bar's step, is shown, written into the buddy edit field and reported.
// With the focus, which it shows with the style's focus mark, the arrow,
// Page and Home/End keys move it as well.
class BarControl : public QProgressBar {
    Q_OBJECT

  public:
    explicit BarControl(QWidget* parent);

    void Attach(QLineEdit* buddy, int step);

  signals:
    void positionChanged(int position);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void MoveTo(int position);
    void DragTo(int x);
    void EndDrag();

    QLineEdit* buddy_ = nullptr;
    int step_ = 1;
    bool dragging_ = false;
};

} // namespace zlc::ui::qt

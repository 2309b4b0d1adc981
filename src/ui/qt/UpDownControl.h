#pragma once

#include "ui/ScrollControls.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace zlc::ui::qt {

// A pair of arrows bound to an edit field: each step starts from the number
// in the field, writes the new position back into it and reports it. Holding
// an arrow (or the Up/Down key in the field) repeats the step, faster steps
// following the up-down's acceleration.
class UpDownControl : public QWidget {
    Q_OBJECT

  public:
    explicit UpDownControl(QWidget* parent);

    void SetBuddy(QLineEdit* buddy);
    void SetRange(int low, int high);
    void SetPosition(int position);
    int position() const { return position_; }
    void SetSteps(const UpDownSteps& steps) { steps_ = steps; }

  signals:
    void positionChanged(int position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void StartHolding(int direction);
    void StopHolding();
    void Step(int direction);

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* buddy_ = nullptr;
    QTimer repeat_;
    QElapsedTimer held_;
    int direction_ = 0;
    int low_ = 0, high_ = 100, position_ = 0;
    UpDownSteps steps_;
};

} // namespace zlc::ui::qt

#pragma once

#include <QPointer>
#include <QWidget>

namespace zlc::ui::qt {

// Held while a modal window runs: when it ends, the window that was active
// before is activated again and the control that had the keyboard focus
// gets it back, so that the keyboard keeps working without a click.
class FocusReturn {
  public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

  private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

} // namespace zlc::ui::qt

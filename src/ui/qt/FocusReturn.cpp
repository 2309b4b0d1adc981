#include "ui/qt/FocusReturn.h"

#include <QApplication>

namespace zlc::ui::qt {

FocusReturn::FocusReturn()
    : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {}

FocusReturn::~FocusReturn() {
    if (window_ == nullptr || !window_->isVisible()) {
        return;
    }
    window_->activateWindow();
    // The control may have gone with its page (File > Open makes the page
    // anew); the window then gives the focus to its first control.
    if (focus_ != nullptr && focus_->isVisible() && focus_->isEnabled() &&
        focus_->window() == window_) {
        focus_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace zlc::ui::qt

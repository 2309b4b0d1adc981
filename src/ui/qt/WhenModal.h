#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace zlc::ui::qt {

// Runs `action` on the first modal window titled `title` once it is shown,
// from the event loop of whatever modal dialog is running then; the action may
// open further dialogs. For driving the real dialogs without a user.
void WhenModal(const QString& title, std::function<void(QWidget*)> action);

} // namespace zlc::ui::qt

#pragma once

#include "ui/ToolkitCheck.h"

namespace zlc::ui::qt {

// The Qt version this program was built for and the one it runs on.
ToolkitVersions QtToolkitVersions();

} // namespace zlc::ui::qt

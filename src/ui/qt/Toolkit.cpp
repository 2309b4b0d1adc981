#include "ui/qt/Toolkit.h"

#include <QtGlobal>

namespace zlc::ui::qt {

ToolkitVersions QtToolkitVersions() {
    return {QT_VERSION_STR, qVersion()};
}

} // namespace zlc::ui::qt

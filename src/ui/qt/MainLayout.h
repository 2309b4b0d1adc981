#pragma once

#include "ui/DialogTemplates.h"

#include <QFont>
#include <QRect>
#include <QSize>

namespace zlc::ui::qt {

// The distance of a page from the frame of the tab area.
inline constexpr int kPageInset = 2;

struct MainGeometry {
    QSize size; // of the window's client area
    QRect tabBar, pageArea, diagnosticsGroup, diagnostics;
};

// Where the main window's controls go: at its template's places in `font`,
// with a tab area tall enough for `pageAreaHeight`, the tallest page in its
// frame. A client area larger than that (`available`) widens the tab area
// and gives the Diagnostics box the rest.
MainGeometry MainLayout(const DialogTemplate& dialog, const QFont& font, int tabBarHeight,
                        int pageAreaHeight, QSize available);

} // namespace zlc::ui::qt

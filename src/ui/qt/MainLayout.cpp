#include "ui/qt/MainLayout.h"

#include "ui/qt/DialogUnits.h"

#include <algorithm>

namespace zlc::ui::qt {

MainGeometry MainLayout(const DialogTemplate& dialog, const QFont& font, int tabBarHeight,
                        int pageAreaHeight, QSize available) {
    const DialogUnits units(font);
    QRect tabs, group, box;
    for (const ControlTemplate& control : dialog.controls) {
        const QRect rect = units.Rect(control.x, control.y, control.cx, control.cy);
        if (control.kind == ControlKind::TabControl) {
            tabs = rect;
        } else if (control.kind == ControlKind::GroupBox) {
            group = rect;
        } else if (control.kind == ControlKind::Diagnostics) {
            box = rect;
        }
    }
    const QSize templateSize(units.X(dialog.cx), units.Y(dialog.cy));
    // The tab area grows to hold the tallest page; what lies below moves down.
    const int areaHeight = std::max(tabs.height() - tabBarHeight, pageAreaHeight);
    const int grownBy = tabBarHeight + areaHeight - tabs.height();
    const QSize least(templateSize.width(), templateSize.height() + grownBy);
    const QSize size = least.expandedTo(available);
    const int wider = size.width() - least.width();
    const int taller = size.height() - least.height();

    MainGeometry geometry;
    geometry.size = size;
    geometry.tabBar = QRect(tabs.x(), tabs.y(), tabs.width() + wider, tabBarHeight);
    geometry.pageArea = QRect(tabs.x(), tabs.y() + tabBarHeight, tabs.width() + wider, areaHeight);
    geometry.diagnosticsGroup = group.translated(0, grownBy).adjusted(0, 0, wider, taller);
    geometry.diagnostics = box.translated(0, grownBy).adjusted(0, 0, wider, taller);
    return geometry;
}

} // namespace zlc::ui::qt

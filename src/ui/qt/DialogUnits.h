#pragma once

#include <QFont>
#include <QRect>

namespace zlc::ui::qt {

// Converts dialog units to pixels from the average character size of a font,
// the way dialog templates are laid out: a horizontal unit is a quarter of
// the average character width, a vertical unit an eighth of its height.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const { return units * baseX_ / 4; }
    int Y(int units) const { return units * baseY_ / 8; }
    QRect Rect(int x, int y, int cx, int cy) const { return {X(x), Y(y), X(cx), Y(cy)}; }

  private:
    int baseX_;
    int baseY_;
};

} // namespace zlc::ui::qt

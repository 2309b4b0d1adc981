#pragma once

namespace zlc::virt {

enum class PanAction { Continue, Quit, NextDepth };

// The view position on the virtual screen and how keys move it. In automatic
// mode the view also moves by itself, one step per tick, clockwise along the
// edges of the virtual screen.
class Panner {
  public:
    Panner(int maxX, int maxY, int xStep, bool automatic);

    // A key the user pressed. Manually, keys move the view as the key table
    // says. Automatically, an arrow key (or U, D, L, R) sets the direction and
    // any other key but Esc and B reverses it.
    PanAction Key(int code);

    // Automatic mode: one step in the current direction, then the turn at an
    // edge. The motion starts upwards at the top left corner, which counts as
    // the first arrival at the top; the next arrival there, after one round,
    // ends the run at this depth.
    PanAction Tick();

    int x() const { return x_; }
    int y() const { return y_; }

  private:
    void Move(int code);

    int maxX_;
    int maxY_;
    int xStep_;
    bool automatic_;
    int x_ = 0;
    int y_ = 0;
    int direction_;
    bool topReached_ = false;
};

} // namespace zlc::virt

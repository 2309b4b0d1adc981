#include "ui/ScrollControls.h"

#include <algorithm>

namespace zlc::ui {

int UpDownStepped(int current, int direction, int step, int low, int high) {
    return std::clamp(current + direction * step, low, high);
}

int BarPositionAt(int x, int left, int right, int low, int high, int step) {
    if (right <= left) {
        return low;
    }
    const int clamped = std::clamp(x, left, right);
    int position = (high - low) * (clamped - left) / (right - left) + low;
    if (step > 1) {
        position = (position + step - 1) / step * step;
    }
    return std::min(position, high);
}

int BarPageStep(int low, int high, int step) {
    const int unit = std::max(step, 1);
    return std::max((high - low) / 10 / unit, 1) * unit;
}

int UpDownBuddy(const DialogTemplate& dialog, int upDown) {
    for (size_t i = 1; i < dialog.controls.size(); ++i) {
        if (dialog.controls[i].id == upDown) {
            return dialog.controls[i - 1].id;
        }
    }
    return kNoId;
}

} // namespace zlc::ui

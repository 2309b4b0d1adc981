#pragma once

#include "ui/DialogTemplates.h"

namespace zlc::ui {

// How far one press of an up-down arrow moves: `step` at first, `heldStep`
// once the arrow has been held for `heldMs` milliseconds (0: never).
struct UpDownSteps {
    int step = 1;
    int heldStep = 1;
    int heldMs = 0;

    int StepAfter(int msHeld) const { return heldMs > 0 && msHeld >= heldMs ? heldStep : step; }
};

// The position an up-down control moves to from `current`: `direction` (+1
// up, -1 down) times `step`, kept within [low, high].
int UpDownStepped(int current, int direction, int step, int low, int high);

// The position of a bar of range [low, high] under the pointer at `x`, the bar
// spanning [left, right]: proportional, then rounded up to a multiple of
// `step`, never beyond `high`.
int BarPositionAt(int x, int left, int right, int low, int high, int step);

// How far the Page keys move a bar: a tenth of its range in whole steps, at
// least one step.
int BarPageStep(int low, int high, int step);

// The edit field an up-down control writes its position into: the control
// just before it in the template. kNoId when there is none.
int UpDownBuddy(const DialogTemplate& dialog, int upDown);

} // namespace zlc::ui

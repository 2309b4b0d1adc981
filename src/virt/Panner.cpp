#include "virt/Panner.h"

#include "virt/Keys.h"

namespace zlc::virt {

Panner::Panner(int maxX, int maxY, int xStep, bool automatic)
    : maxX_(maxX), maxY_(maxY), xStep_(xStep), automatic_(automatic), direction_(kKeyUp) {}

void Panner::Move(int code) {
    switch (code) {
    case kKeyDown:
    case 'D':
        if (y_ < maxY_) {
            ++y_;
        }
        break;
    case kKeyUp:
    case 'U':
        if (y_ > 0) {
            --y_;
        }
        break;
    case kKeyLeft:
    case 'L':
        if (x_ > 0) {
            x_ -= xStep_;
        }
        break;
    case kKeyRight:
    case 'R':
        if (x_ < maxX_) {
            x_ += xStep_;
        }
        break;
    case kKeyHome:
        x_ = 0;
        y_ = 0;
        break;
    case kKeyEnd:
        x_ = maxX_;
        y_ = maxY_;
        break;
    case kKeyCtrlLeft:
        if (x_ > 16) {
            x_ -= 16;
        }
        break;
    case kKeyCtrlRight:
        if (x_ < maxX_ - 16) {
            x_ += 16;
        }
        break;
    case kKeyCtrlUp:
        if (y_ > 16) {
            y_ -= 16;
        }
        break;
    case kKeyCtrlDown:
        if (y_ < maxY_ - 16) {
            y_ += 16;
        }
        break;
    default:
        break;
    }
}

PanAction Panner::Key(int code) {
    if (code == kKeyEsc) {
        return PanAction::Quit;
    }
    if (code == 'B') {
        return PanAction::NextDepth;
    }
    if (!automatic_) {
        Move(code);
        return PanAction::Continue;
    }
    switch (code) {
    case kKeyDown:
    case 'D':
        direction_ = kKeyDown;
        break;
    case kKeyUp:
    case 'U':
        direction_ = kKeyUp;
        break;
    case kKeyLeft:
    case 'L':
        direction_ = kKeyLeft;
        break;
    case kKeyRight:
    case 'R':
        direction_ = kKeyRight;
        break;
    default:
        switch (direction_) {
        case kKeyDown:
            direction_ = kKeyUp;
            break;
        case kKeyUp:
            direction_ = kKeyDown;
            break;
        case kKeyLeft:
            direction_ = kKeyRight;
            break;
        default:
            direction_ = kKeyLeft;
            break;
        }
        break;
    }
    return PanAction::Continue;
}

PanAction Panner::Tick() {
    Move(direction_);
    switch (direction_) {
    case kKeyDown:
        if (y_ >= maxY_) {
            direction_ = kKeyLeft;
        }
        break;
    case kKeyUp:
        if (y_ <= 0) {
            if (topReached_) {
                return PanAction::NextDepth;
            }
            direction_ = kKeyRight;
            topReached_ = true;
        }
        break;
    case kKeyLeft:
        if (x_ <= 0) {
            direction_ = kKeyUp;
        }
        break;
    default:
        if (x_ >= maxX_) {
            direction_ = kKeyDown;
        }
        break;
    }
    return PanAction::Continue;
}

} // namespace zlc::virt

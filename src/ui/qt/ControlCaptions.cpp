#include "ui/qt/ControlCaptions.h"

#include <regex>

namespace zlc::ui::qt {

namespace {

// By the control's top-left corner: a combo box's height includes its list,
// which may hang out of the group.
bool Encloses(const ControlTemplate& group, const ControlTemplate& control) {
    return group.x <= control.x && control.x < group.x + group.cx && group.y <= control.y &&
           control.y < group.y + group.cy;
}

const ControlTemplate* CaptionLabel(const DialogTemplate& dialog, size_t index) {
    const int label = CaptionLabelIndex(dialog, index);
    return label >= 0 ? &dialog.controls[static_cast<size_t>(label)] : nullptr;
}

std::string LabelCaption(const DialogTemplate& dialog, size_t index) {
    const ControlTemplate* label = CaptionLabel(dialog, index);
    return label != nullptr ? SpokenCaption(label->caption) : std::string();
}

bool CaptionIsShared(const DialogTemplate& dialog, size_t index, const std::string& caption) {
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        if (i != index && CaptionLabel(dialog, i) != CaptionLabel(dialog, index) &&
            LabelCaption(dialog, i) == caption) {
            return true;
        }
    }
    return false;
}

} // namespace

int CaptionLabelIndex(const DialogTemplate& dialog, size_t index) {
    for (size_t i = index; i-- > 0;) {
        const ControlTemplate& control = dialog.controls[i];
        if (control.kind == ControlKind::GroupBox) {
            return -1;
        }
        if (control.kind == ControlKind::Label && control.id == kNoId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string SpokenCaption(const char* caption) {
    std::string spoken;
    for (const char* c = caption; *c != '\0'; ++c) {
        if (*c == '&' && c[1] != '\0') {
            ++c; // "&&" stands for one ampersand
        }
        spoken.push_back(*c);
    }
    while (!spoken.empty() && (spoken.back() == ':' || spoken.back() == ' ')) {
        spoken.pop_back();
    }
    return spoken;
}

std::string EnclosingGroupCaption(const DialogTemplate& dialog, size_t index) {
    const ControlTemplate& control = dialog.controls[index];
    std::string caption;
    for (const ControlTemplate& group : dialog.controls) {
        if (&group != &control && group.kind == ControlKind::GroupBox && Encloses(group, control)) {
            caption = SpokenCaption(group.caption); // the innermost group wins
        }
    }
    static const std::regex kUnit(R"(\s*\[[^\]]*\])");
    return std::regex_replace(caption, kUnit, "");
}

std::string ValueControlName(const DialogTemplate& dialog, size_t index) {
    const std::string caption = LabelCaption(dialog, index);
    const std::string group = EnclosingGroupCaption(dialog, index);
    if (caption.empty()) {
        return group;
    }
    if (!group.empty() && CaptionIsShared(dialog, index, caption)) {
        return group + " " + caption;
    }
    return caption;
}

} // namespace zlc::ui::qt

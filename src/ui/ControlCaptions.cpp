#include "ui/ControlCaptions.h"

#include "ui/AppIdentity.h"

#include <regex>

namespace zlc::ui {

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

std::string WithoutUnit(const std::string& caption) {
    static const std::regex kUnit(R"(\s*\[[^\]]*\])");
    return std::regex_replace(caption, kUnit, "");
}

bool IsButtonKind(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::RadioButton ||
           kind == ControlKind::CheckBox;
}

// Whether the host names the control after its label or group: the first
// control with an id after that label, or after the start of its group.
bool NamedByLabelOrGroup(const DialogTemplate& dialog, size_t index) {
    const ControlTemplate& control = dialog.controls[index];
    if (control.id == kNoId || control.kind == ControlKind::Label || IsButtonKind(control.kind)) {
        return false;
    }
    for (size_t i = index; i-- > 0;) {
        const ControlTemplate& before = dialog.controls[i];
        if (before.kind == ControlKind::GroupBox || before.id == kNoId) {
            return before.kind == ControlKind::GroupBox || before.kind == ControlKind::Label;
        }
        if (before.kind != ControlKind::Label) {
            return false;
        }
    }
    return true;
}

// What the control is known by: its caption, the part of it before ": ",
// the name its label or group gives it, and a button's caption after the
// label before it.
std::vector<std::string> NamesOf(const DialogTemplate& dialog, size_t index,
                                 const std::vector<std::string>& captions) {
    std::vector<std::string> names;
    const ControlTemplate* label = CaptionLabel(dialog, index);
    for (const std::string& caption : captions) {
        names.push_back(caption);
        if (const size_t colon = caption.find(": "); colon != std::string::npos) {
            names.push_back(caption.substr(0, colon));
        }
        if (IsButtonKind(dialog.controls[index].kind) && label != nullptr) {
            names.push_back(SpokenCaption(label->caption) + " " + caption);
        }
    }
    if (NamedByLabelOrGroup(dialog, index)) {
        names.push_back(ValueControlName(dialog, index));
    }
    return names;
}

} // namespace

std::vector<size_t> ControlsNamed(const DialogTemplate& dialog, const std::string& name,
                                  const std::function<std::string(int id)>& shownCaption) {
    std::vector<size_t> found;
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        const ControlTemplate& control = dialog.controls[i];
        std::vector<std::string> captions = {
            SpokenCaption(WithChipNumber(control.caption).c_str())};
        if (shownCaption && IsButtonKind(control.kind)) {
            captions.push_back(SpokenCaption(shownCaption(control.id).c_str()));
        }
        for (const std::string& known : NamesOf(dialog, i, captions)) {
            if (control.id != kNoId && !known.empty() &&
                (known == name || WithoutUnit(known) == name)) {
                found.push_back(i);
                break;
            }
        }
    }
    return found;
}

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
    return WithoutUnit(caption);
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

} // namespace zlc::ui

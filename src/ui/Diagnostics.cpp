#include "ui/Diagnostics.h"

#include "export/Export.h"
#include "model/Validation.h"

namespace zlc::ui {

namespace {

// Appends as much of `addition` as the room left allows; returns whether
// anything was added.
bool AppendLimited(std::string& text, const std::string& addition) {
    const size_t room = Diagnostics::kTextLimit - 1;
    if (text.size() >= room || addition.empty()) {
        return false;
    }
    text.append(addition, 0, room - text.size());
    return true;
}

} // namespace

void Diagnostics::DropSticky() {
    stickyMessage_.clear();
    stickyOwner_ = 0;
}

size_t Diagnostics::Update(int control, int flags, const std::string& message) {
    if (view_ == nullptr) {
        return 0;
    }
    if (pendingErrorControl != 0 && pendingErrorControl != control && (flags & DIAG_FORCE) == 0) {
        return 0;
    }
    pendingErrorControl = 0;

    const std::string note = message.substr(0, kTextLimit - 1);
    if (stickyOwner_ == control || (flags & DIAG_FORCE) != 0) {
        DropSticky();
    }
    std::string text;
    if (note != stickyMessage_) {
        text = note;
        AppendLimited(text, stickyMessage_);
        const bool keep = (flags & DIAG_STICKY_ALWAYS) != 0 ||
                          ((flags & DIAG_STICKY) != 0 && (flags & DIAG_NOT_STICKY) == 0);
        if (keep) {
            stickyMessage_ = note.substr(0, kStickyLimit);
            stickyOwner_ = control;
        } else {
            DropSticky();
        }
    } else {
        text = note;
    }

    errorFlag_ = (flags & DIAG_ERROR) != 0;
    if (errorFlag_) {
        view_->ErrorBeep();
    }
    const bool errors = AppendLimited(text, CheckErrors(doc_));
    const bool panelErrors = panelFileMessages_ && AppendLimited(text, panelFileMessages_());
    if (errors || panelErrors) {
        errorFlag_ = true;
    }
    AppendLimited(text, CheckWarnings(doc_));
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }

    view_->SetDiagnosticsHighlight(errorFlag_);
    if (text == shownText_) {
        return text.size(); // unchanged: the box is not rewritten, so it does not flicker
    }
    shownText_ = text;
    view_->ShowDiagnostics(ToCrLf(text));
    return text.size();
}

} // namespace zlc::ui

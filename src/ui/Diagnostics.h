#pragma once

#include "model/ConfigDocument.h"

#include <functional>
#include <string>

namespace zlc::ui {

inline constexpr int DIAG_ERROR = 1;
inline constexpr int DIAG_STICKY = 2;
inline constexpr int DIAG_STICKY_ALWAYS = 4;
inline constexpr int DIAG_NOT_STICKY = 8;
inline constexpr int DIAG_FORCE = 16;

// An id that no control has: set while the window closes, so that controls
// losing the focus as they are destroyed report nothing.
inline constexpr int kClosingControl = 8;

// Where the Diagnostics text is shown.
class DiagnosticsView {
  public:
    virtual ~DiagnosticsView() = default;
    // `text` has CR LF line ends; `highlight` marks an error.
    virtual void ShowDiagnostics(const std::string& text) = 0;
    virtual void SetDiagnosticsHighlight(bool highlight) = 0;
    virtual void ErrorBeep() = 0;
};

// The Diagnostics box: the latest note or input error of a page, then the
// validation text of the configuration. It also tracks the control whose
// invalid input has not been corrected yet.
class Diagnostics {
  public:
    static constexpr size_t kTextLimit = 4096;  // bytes, with the terminating NUL
    static constexpr size_t kStickyLimit = 255; // characters

    explicit Diagnostics(const ConfigDocument& doc) : doc_(doc) {}

    void SetView(DiagnosticsView* view) { view_ = view; }
    // The panel-file message, which stands between the errors and warnings.
    void SetPanelFileMessages(std::function<std::string()> source) {
        panelFileMessages_ = std::move(source);
    }

    // Reports for a control; returns the length of the text built, 0 when
    // the report was ignored.
    size_t Update(int control, int flags, const std::string& message = {});

    int pendingErrorControl = 0;

    const std::string& stickyMessage() const { return stickyMessage_; }
    int stickyOwner() const { return stickyOwner_; }
    bool errorFlag() const { return errorFlag_; }
    // The text last written into the box, with "\n" line ends.
    const std::string& shownText() const { return shownText_; }

  private:
    void DropSticky();

    const ConfigDocument& doc_;
    DiagnosticsView* view_ = nullptr;
    std::function<std::string()> panelFileMessages_;
    std::string stickyMessage_;
    int stickyOwner_ = 0;
    bool errorFlag_ = false;
    std::string shownText_;
};

} // namespace zlc::ui

#pragma once

#include "ui/DialogHost.h"
#include "ui/DialogTemplates.h"

#include <cassert>
#include <string>
#include <vector>

namespace zlc::ui {

// The logic of a modal dialog: it gets its controls' events by id, like a
// page, and ends the dialog through its host. The shell's host runs it with
// ShellHost::RunModalDialog, which returns the result given to End().
class ModalDialog : public DialogEvents {
  public:
    explicit ModalDialog(const DialogTemplate& dialog) : template_(dialog) {}

    const DialogTemplate& dialogTemplate() const { return template_; }

    // Called by the host once the controls exist, before the dialog shows.
    void Attach(DialogHost& host) {
        host_ = &host;
        Init();
    }

    // Esc, the close button and a Cancel button end the dialog unless a
    // dialog says otherwise.
    void OnClicked(int id) override {
        if (id == kIdCancel) {
            End(kIdCancel);
        }
    }

    // Files dropped onto the dialog; only a dialog that accepts them gets any.
    virtual bool AcceptsDroppedFiles() const { return false; }
    virtual void OnFilesDropped(const std::vector<std::string>& /*files*/) {}
    // A double click of the right mouse button outside the controls.
    virtual void OnRightDoubleClick() {}

  protected:
    virtual void Init() {}

    DialogHost& host() {
        assert(host_ != nullptr);
        return *host_;
    }
    void End(int result) { host().EndDialog(result); }

  private:
    const DialogTemplate& template_;
    DialogHost* host_ = nullptr;
};

} // namespace zlc::ui

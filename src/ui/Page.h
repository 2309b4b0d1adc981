#pragma once

#include "ui/DialogHost.h"
#include "ui/UiState.h"

#include <memory>

namespace zlc::ui {

// A tab page: created when its tab is selected, it reads the document then
// and writes every change into it at once.
class Page : public DialogEvents {
  public:
    Page(DialogHost& host, UiState& state) : host_(host), state_(state) {}

    // Sets every control from the document.
    virtual void Create() = 0;

  protected:
    ConfigDocument& doc() { return state_.doc; }
    // Refreshes the Diagnostics box after a change made through `control`.
    void ReportChange(int control) { state_.diagnostics.Update(control, DIAG_STICKY); }

    DialogHost& host_;
    UiState& state_;
};

// The page of a dialog template number (201 to 206); nullptr for a page
// whose controls do not exist yet.
std::unique_ptr<Page> MakePage(int templateId, DialogHost& host, UiState& state);

} // namespace zlc::ui

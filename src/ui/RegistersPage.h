#pragma once

#include "ui/Page.h"

namespace zlc::ui {

// Lists the 32 register bytes and lets an expert change any of them by hand
// in the Modify Register dialog, keeping track of the changes that other
// tabs have since overwritten.
class RegistersPage final : public Page {
  public:
    using Page::Page;

    void Create() override;
    void OnRowActivated(int id, int row) override;

  private:
    void FillList();
    void WriteRow(int row);
    void WriteTooltips();
    void ReportStatus();
};

} // namespace zlc::ui

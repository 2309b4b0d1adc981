#pragma once

#include "ui/Page.h"

namespace zlc::ui {

// Chooses the CLKI input frequency and divider and shows the clocks that
// follow from them.
class ClocksPage final : public Page {
  public:
    using Page::Page;

    void Create() override;
    void OnClicked(int id) override;
    void OnFocusLost(int id) override;
    void OnSelectionChanged(int id) override;

  private:
    void CommitClki();
    void UpdateDisplays();
};

} // namespace zlc::ui

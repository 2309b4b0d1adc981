#pragma once

#include "ui/Page.h"

namespace zlc::ui {

// Chooses the hardware power save input and the delays between the LCD
// control signals and the LCD bias power.
class PanelPowerPage final : public Page {
  public:
    using Page::Page;

    void Create() override;
    void OnClicked(int id) override;
    void OnFocusLost(int id) override;

  private:
    void CommitDelay(int field, int setting);
};

} // namespace zlc::ui

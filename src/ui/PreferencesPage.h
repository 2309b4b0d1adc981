#pragma once

#include "ui/Page.h"

namespace zlc::ui {

// Chooses the colour depth and the PivotScan (rotated display) mode.
class PreferencesPage final : public Page {
  public:
    using Page::Page;

    void Create() override;
    void OnClicked(int id) override;
};

} // namespace zlc::ui

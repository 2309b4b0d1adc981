#pragma once

#include "ui/Page.h"

#include <span>

namespace zlc::ui {

struct PlatformRow {
    int button;
    PlatformAddresses addresses;
};

// The platforms offered on the General page; the last row is User-Defined and
// takes its addresses from the shared state.
std::span<const PlatformRow> PlatformTable();

// Chooses the physical addresses at which the target decodes the chip.
class GeneralPage final : public Page {
  public:
    using Page::Page;

    void Create() override;
    void OnClicked(int id) override;
    void OnFocusLost(int id) override;

    int selectedButton() const { return selected_; }

  private:
    PlatformAddresses AddressesOf(int button) const;
    void ShowAddresses(const PlatformAddresses& addresses);
    void EnableUserFields(bool enabled);
    bool StoreAddresses(const PlatformAddresses& addresses);

    int selected_ = 0;
};

} // namespace zlc::ui

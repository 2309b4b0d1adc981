#pragma once

#include "ui/ModalDialog.h"
#include "ui/UiState.h"

#include <cstdint>
#include <optional>

namespace zlc::ui {

// Changes one register byte by hand, in decimal or hexadecimal. It ends with
// kRegisterChanged when the register and the record of hand-made changes
// took the value, with any other result when nothing changed.
class ModifyRegisterDialog final : public ModalDialog {
  public:
    static constexpr int kRegisterChanged = 1;

    ModifyRegisterDialog(UiState& state, int row);

    void OnClicked(int id) override;

  protected:
    void Init() override;

  private:
    std::optional<uint32_t> ParseValue(bool hex);
    void ShowValue(uint32_t value, bool hex);
    void SwitchMode(bool hex);
    void Accept();

    UiState& state_;
    int row_;
};

} // namespace zlc::ui

#include "ui/ModifyRegisterDialog.h"

#include "base/Format.h"
#include "model/RegisterTable.h"
#include "ui/SettingControls.h"
#include "ui/Shell.h"

#include <algorithm>

namespace zlc::ui {

namespace {

constexpr int kName = 2101;
constexpr int kValue = 2102;
constexpr int kDecimal = 2103;
constexpr int kHexadecimal = 2104;

constexpr int kDecimalDigits = 10; // 4294967295
constexpr int kHexDigits = 8;      // FFFFFFFF
constexpr uint32_t kLargestByte = 0xFF;

} // namespace

ModifyRegisterDialog::ModifyRegisterDialog(UiState& state, int row)
    : ModalDialog(*FindDialogTemplate(Ids::ModifyRegisterDialog)), state_(state), row_(row) {}

void ModifyRegisterDialog::Init() {
    host().SetDialogTitle(Format("Modify register %04Xh", static_cast<unsigned>(row_)));
    const bool hex = state_.modifyRegisterInHex;
    ShowValue(state_.doc.GetRegister(row_), hex);
    host().SetChecked(kDecimal, !hex);
    host().SetChecked(kHexadecimal, hex);
    host().SetText(kName, RegisterName(row_));
}

std::optional<uint32_t> ModifyRegisterDialog::ParseValue(bool hex) {
    if (hex) {
        return ParseHexField(host(), kValue);
    }
    const auto decimal = ParseDecimalField(host(), kValue);
    return decimal ? std::optional<uint32_t>(decimal->whole) : std::nullopt;
}

// The limit comes first: a field may cut a longer text to its limit.
void ModifyRegisterDialog::ShowValue(uint32_t value, bool hex) {
    host().SetTextLimit(kValue, hex ? kHexDigits : kDecimalDigits);
    host().SetText(kValue, Format(hex ? "%08X" : "%u", value));
}

// A value that parses in the old mode is rewritten in the new one; anything
// else is left for the user to correct, whole: the limit does not cut it.
void ModifyRegisterDialog::SwitchMode(bool hex) {
    const auto value = ParseValue(state_.modifyRegisterInHex);
    state_.modifyRegisterInHex = hex;
    if (value) {
        ShowValue(*value, hex);
        return;
    }
    const int length = static_cast<int>(host().GetText(kValue).size());
    host().SetTextLimit(kValue, std::max(hex ? kHexDigits : kDecimalDigits, length));
}

void ModifyRegisterDialog::Accept() {
    // A register holds a byte: a wider number is refused, not cut.
    const auto typed = ParseValue(state_.modifyRegisterInHex);
    if (!typed || *typed > kLargestByte) {
        if (state_.shellHost != nullptr) {
            state_.shellHost->ShowMessage(MessageIcon::Warning, "ERROR:Invalid value entered!");
        }
        host().RequestFocus(kValue);
        return;
    }
    const auto value = static_cast<uint8_t>(*typed);
    const ManualEdits::Row& row = state_.manualEdits[row_];
    if (value == state_.doc.GetRegister(row_) && value != row.computed) {
        End(0); // the hand-made change stands as it is
        return;
    }
    state_.doc.SetRegister(row_, value);
    state_.manualEdits.Record(row_, value);
    End(kRegisterChanged);
}

void ModifyRegisterDialog::OnClicked(int id) {
    switch (id) {
    case kIdOk:
        Accept();
        break;
    case kDecimal:
    case kHexadecimal:
        SwitchMode(id == kHexadecimal);
        break;
    default:
        ModalDialog::OnClicked(id);
        break;
    }
}

} // namespace zlc::ui

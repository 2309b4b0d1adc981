#pragma once

#include "ui/DialogHost.h"
#include "ui/UiState.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace zlc::ui {

// Hexadecimal text as the address fields take it: leading blanks skipped,
// then hex digits only; empty is 0; more than eight digits keep the low 32
// bits. Only the first 40 characters are read.
std::optional<uint32_t> ParseHexText(std::string_view text);

struct DecimalValue {
    uint32_t whole;
    uint64_t thousandths; // whole x 1000 + the first three fraction digits
};

// A decimal number with an optional fraction after one ".": blanks are
// ignored, any other character is an error; empty is 0. A whole part that
// does not fit in 32 bits is refused rather than wrapped; a field that takes
// thousandths bounds them itself.
std::optional<DecimalValue> ParseDecimalText(std::string_view text);

// The same for a control: a combo box gives its selected item's text, or the
// typed text when no item is selected.
std::optional<uint32_t> ParseHexField(const DialogHost& host, int control);
std::optional<DecimalValue> ParseDecimalField(const DialogHost& host, int control);

// Reports the control's text as invalid in the Diagnostics box, takes the
// focus back to it and shows the setting's current value again, selected.
// The document is not changed. Nothing happens while the program is inactive.
void ReportInvalidInput(DialogHost& host, UiState& state, int control, bool withRange);

// Clears the control's pending input error, if it has one.
void ClearInputError(UiState& state, int control);

// The text a control shows for its setting's current value.
std::string ControlValueText(const ConfigDocument& doc, int control);

} // namespace zlc::ui

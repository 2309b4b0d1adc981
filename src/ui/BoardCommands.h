#pragma once

#include "ui/UiState.h"

namespace zlc::ui {

class ShellHost;

// The Board menu: the document tried on the board the HAL reaches, compared
// with it, or filled from it. A board the HAL cannot reach gets the HAL's
// message in a message box, and nothing else changes.

// Programs the board from the document; what the HAL did goes to the
// Diagnostics box.
void ApplyToBoard(UiState& state, ShellHost& host);

// Shows, in a window whose text can be copied, the settings and registers in
// which the document and the board differ.
void CompareWithBoard(UiState& state, ShellHost& host);

// Takes the registers the board holds into the document, each changed one
// recorded as a hand edit of the Registers page. Returns whether the board
// was read; the note for the Diagnostics box goes to `note`.
bool ReadRegistersFromBoard(UiState& state, ShellHost& host, std::string& note);

} // namespace zlc::ui

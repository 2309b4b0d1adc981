#pragma once

#include "ui/UiState.h"

namespace zlc::ui {

class ShellHost;

// File > Export Settings: the document's settings, the two LCD power delays
// among them, as the JSON that `zlc62740 show --json` prints.
void ExportSettings(UiState& state, ShellHost& host);

// File > Import Settings: a settings file as `zlc62740 --settings` reads it.
// A file refused at some line changes nothing; the message box names the file
// and the line. Returns whether the document took the settings.
bool ImportSettings(UiState& state, ShellHost& host);

} // namespace zlc::ui

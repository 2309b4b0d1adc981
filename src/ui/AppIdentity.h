#pragma once

#include <string>

namespace zlc::ui {

// "62740CFG": the caption of every message box.
std::string ProgramName();

// The version line of the About box: "62740CFG Version 2.00  (Build 9)".
std::string VersionLine();

// Replaces the one "%s" of a caption or tip with the chip number. Captions are
// data, so they are never used as printf formats.
std::string WithChipNumber(const std::string& text);

} // namespace zlc::ui

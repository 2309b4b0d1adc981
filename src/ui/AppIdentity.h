#pragma once

#include <string>

namespace zlc::ui {

inline constexpr const char* kChipNumber = "62740";

// "62740CFG": the caption of every message box.
std::string ProgramName();

// The build number kept in the program's revision string.
int BuildNumber();

// Replaces the one "%s" of a caption or tip with the chip number. Captions are
// data, so they are never used as printf formats.
std::string WithChipNumber(const std::string& text);

} // namespace zlc::ui

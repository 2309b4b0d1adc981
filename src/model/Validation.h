#pragma once

#include "model/ConfigDocument.h"

#include <string>

namespace zlc {

// Combinations that the chip cannot run, one "ERROR: ...\n" line each, in a
// fixed order. Empty when there is none.
std::string CheckErrors(const ConfigDocument& doc);

// Doubtful but possible configurations and reserved register bits that are
// set, one "Warning: ...\n" line each.
std::string CheckWarnings(const ConfigDocument& doc);

} // namespace zlc

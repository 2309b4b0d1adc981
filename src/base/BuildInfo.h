#pragma once

// The build of the configuration utility (BuildNumber) and its version: the
// title bar, the About box and every generated file state them.
#include "base/Version.h"

namespace zlc {

// The chip these programs configure, as file names and generated texts spell it.
inline constexpr const char* ChipNumber = "62740";

} // namespace zlc

#pragma once

namespace zlc {

// The build of the configuration utility. The title bar, the About box and
// every generated file state it, so it lives here where all of them see it.
inline constexpr unsigned BuildNumber = 9;

// The chip these programs configure, as file names and generated texts spell it.
inline constexpr const char* ChipNumber = "62740";

} // namespace zlc

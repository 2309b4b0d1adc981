#pragma once

#include <optional>
#include <string>

namespace zlc::ui {

// The text 62740CFG prints instead of starting, for "--help" or "--version"
// as its only argument (the manual page is made from it); nothing otherwise,
// so that a file named on the command line still opens.
std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv);

} // namespace zlc::ui

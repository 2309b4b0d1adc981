#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace zlc::cli {

// Every option and argument that names a file carries this check: an empty
// name (an unset variable in a script) is a usage error, never "no file".
inline CLI::Validator NonEmptyFileName() {
    return CLI::Validator(
        [](std::string& name) {
            return name.empty() ? std::string("a file name must not be empty") : std::string();
        },
        "", "NonEmptyFileName");
}

} // namespace zlc::cli

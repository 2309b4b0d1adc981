#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace zlc::cli {

// Every option that takes a number carries this check: digits only, so that
// " 8", "+8", "0x8" or "8e0" are usage errors rather than numbers that the
// conversion happens to accept.
inline CLI::Validator PlainDecimal() {
    return CLI::Validator(
        [](std::string& text) {
            const bool digits =
                !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
            return digits ? std::string() : "not a plain decimal number: " + text;
        },
        "", "PlainDecimal");
}

} // namespace zlc::cli

#pragma once

#include <string>
#include <string_view>

namespace zlc::cli {

// The text as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

} // namespace zlc::cli

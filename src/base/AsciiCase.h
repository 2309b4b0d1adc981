#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// Letter case of ASCII only. File extensions, setting names and command-line
// switches are ASCII words; the C library's toupper/tolower follow the user's
// locale, and under a Turkish one 'i' and 'I' are not each other's case.
namespace zlc {

constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string ToAsciiUpper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
    return upper;
}

inline std::string ToAsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

constexpr bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace zlc

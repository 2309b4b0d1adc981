#pragma once

#include <cstdarg>
#include <string>

namespace zlc {

// printf-style formatting into an owning string. The format strings of the
// messages and generated texts are kept verbatim, so the compiler checks the
// arguments against them.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

// Appends a formatted text to `out`.
void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace zlc

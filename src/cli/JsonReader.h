#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zlc::cli {

// A JSON value as read, with the line it starts on, so that messages can
// point into the file. Numbers keep their text: the caller decides what range
// and kind of number it accepts.
struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Kind kind = Kind::Null;
    int line = 1;
    std::string text;              // a string's content, a number's literal, "true" or "false"
    std::vector<JsonValue> items;  // an array's elements, or an object's member values
    std::vector<std::string> keys; // an object's member names, one for each item

    // The member called `key`, or nullptr. An object never repeats a key:
    // the reader refuses that.
    const JsonValue* Member(std::string_view key) const;
};

struct JsonError {
    int line = 0;
    std::string message;
};

// Reads one JSON document (RFC 8259) that fills the whole text. Nesting is
// limited, so that no input can exhaust the stack; an object that names a
// member twice is refused, as it is ambiguous.
bool ReadJson(std::string_view text, JsonValue& value, JsonError& error);

} // namespace zlc::cli

#include "cli/JsonReader.h"

#include "base/Format.h"

#include <algorithm>

namespace zlc::cli {

namespace {

constexpr int kMaxDepth = 64;

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool Document(JsonValue& value) {
        if (!Value(value, 0)) {
            return false;
        }
        SkipBlanks();
        return pos_ == text_.size() || Fail("text after the JSON value");
    }

    JsonError error;

  private:
    bool Fail(const std::string& message) {
        if (error.message.empty()) {
            error = {line_, message};
        }
        return false;
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            line_ += Peek() == '\n' ? 1 : 0;
            ++pos_;
        }
    }

    bool Expect(char c) {
        SkipBlanks();
        if (Peek() != c) {
            return Fail(Format("expected '%c'", c));
        }
        ++pos_;
        return true;
    }

    bool Value(JsonValue& value, int depth) {
        if (depth > kMaxDepth) {
            return Fail("JSON nested too deeply");
        }
        SkipBlanks();
        value.line = line_;
        switch (Peek()) {
        case '{':
            return Object(value, depth);
        case '[':
            return Array(value, depth);
        case '"':
            value.kind = JsonValue::Kind::String;
            return String(value.text);
        case 't':
            value.kind = JsonValue::Kind::Bool;
            return Word("true", value);
        case 'f':
            value.kind = JsonValue::Kind::Bool;
            return Word("false", value);
        case 'n':
            value.kind = JsonValue::Kind::Null;
            return Word("null", value);
        default:
            value.kind = JsonValue::Kind::Number;
            return Number(value.text);
        }
    }

    bool Word(std::string_view word, JsonValue& value) {
        if (text_.substr(pos_, word.size()) != word) {
            return Fail("not a JSON value");
        }
        pos_ += word.size();
        value.text = word;
        return true;
    }

    bool Digits() {
        const size_t start = pos_;
        while (Peek() >= '0' && Peek() <= '9') {
            ++pos_;
        }
        return pos_ > start;
    }

    bool Number(std::string& literal) {
        const size_t start = pos_;
        if (Peek() == '-') {
            ++pos_;
        }
        if (!Digits()) {
            return Fail("not a JSON value");
        }
        if (Peek() == '.') {
            ++pos_;
            if (!Digits()) {
                return Fail("digits expected after '.'");
            }
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-') {
                ++pos_;
            }
            if (!Digits()) {
                return Fail("digits expected in the exponent");
            }
        }
        literal = text_.substr(start, pos_ - start);
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool HexEscape(std::string& out) {
        unsigned code = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            const char c = Peek();
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return Fail("four hexadecimal digits expected after \\u");
            }
            code = code * 16 + static_cast<unsigned>(digit);
        }
        // Setting names are plain text; a surrogate half stands for itself.
        AppendUtf8(out, code);
        return true;
    }

    bool Escape(std::string& out) {
        const char c = Peek();
        ++pos_;
        switch (c) {
        case '"':
        case '\\':
        case '/':
            out += c;
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            return HexEscape(out);
        default:
            return Fail("unknown escape in a string");
        }
    }

    bool String(std::string& out) {
        ++pos_; // the opening quote
        for (;;) {
            if (AtEnd()) {
                return Fail("string not closed");
            }
            const char c = text_[pos_++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return Fail("control character in a string");
            }
            if (c == '\\') {
                if (!Escape(out)) {
                    return false;
                }
            } else {
                out += c;
            }
        }
    }

    bool Array(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        ++pos_;
        SkipBlanks();
        if (Peek() == ']') {
            ++pos_;
            return true;
        }
        for (;;) {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1)) {
                return false;
            }
            SkipBlanks();
            if (Peek() == ']') {
                ++pos_;
                return true;
            }
            if (Peek() != ',') {
                return Fail("expected ',' or ']'");
            }
            ++pos_;
        }
    }

    bool Object(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++pos_;
        SkipBlanks();
        if (Peek() == '}') {
            ++pos_;
            return true;
        }
        for (;;) {
            SkipBlanks();
            if (Peek() != '"') {
                return Fail("expected a member name in quotes");
            }
            std::string key;
            if (!String(key)) {
                return false;
            }
            // A repeated member would silently hide the first one.
            if (std::find(value.keys.begin(), value.keys.end(), key) != value.keys.end()) {
                return Fail(Format("the member \"%s\" appears twice", key.c_str()));
            }
            if (!Expect(':')) {
                return false;
            }
            value.keys.push_back(std::move(key));
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1)) {
                return false;
            }
            SkipBlanks();
            if (Peek() == '}') {
                ++pos_;
                return true;
            }
            if (Peek() != ',') {
                return Fail("expected ',' or '}'");
            }
            ++pos_;
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

const JsonValue* JsonValue::Member(std::string_view key) const {
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            return &items[i];
        }
    }
    return nullptr;
}

bool ReadJson(std::string_view text, JsonValue& value, JsonError& error) {
    Reader reader(text);
    value = JsonValue{};
    if (!reader.Document(value)) {
        error = reader.error;
        return false;
    }
    return true;
}

} // namespace zlc::cli

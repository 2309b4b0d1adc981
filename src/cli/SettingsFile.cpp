#include "cli/SettingsFile.h"

#include "base/Format.h"
#include "cli/JsonReader.h"

namespace zlc::cli {

namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool ReadLines(std::string_view text, std::vector<SettingsFileEntry>& entries,
               SettingsFileError& error) {
    int line = 0;
    while (!text.empty()) {
        ++line;
        const size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        content = Trimmed(content.substr(0, content.find('#')));
        if (content.empty()) {
            continue;
        }
        const size_t equals = content.find('=');
        if (equals == std::string_view::npos) {
            error = {line, "expected NAME=VALUE"};
            return false;
        }
        const std::string_view name = Trimmed(content.substr(0, equals));
        const std::string_view value = Trimmed(content.substr(equals + 1));
        if (name.empty() || value.empty()) {
            error = {line, "expected NAME=VALUE"};
            return false;
        }
        entries.push_back({line, {}, std::string(name), std::string(value)});
    }
    return true;
}

bool IsScalar(const JsonValue* value) {
    return value != nullptr &&
           (value->kind == JsonValue::Kind::Number || value->kind == JsonValue::Kind::String);
}

bool ReadJsonEntry(const JsonValue& item, size_t index, SettingsFileEntry& entry,
                   SettingsFileError& error) {
    const std::string position = Format("settings[%zu]", index);
    if (item.kind != JsonValue::Kind::Object) {
        error = {item.line, position + ": not an object"};
        return false;
    }
    const JsonValue* id = item.Member("id");
    const JsonValue* name = item.Member("name");
    const JsonValue* raw = item.Member("raw");
    const JsonValue* value = item.Member("value");
    entry.line = item.line;
    entry.where = position;
    if (IsScalar(id)) {
        entry.name = id->text;
    } else if (name != nullptr && name->kind == JsonValue::Kind::String) {
        entry.name = name->text;
    } else {
        error = {item.line, position + ": neither \"id\" nor \"name\""};
        return false;
    }
    if (name != nullptr && name->kind == JsonValue::Kind::String) {
        entry.where += " \"" + name->text + "\"";
    }
    if (raw != nullptr && raw->kind == JsonValue::Kind::Number) {
        entry.value = raw->text;
        entry.line = raw->line;
    } else if (IsScalar(value)) {
        entry.value = value->text;
        entry.line = value->line;
    } else {
        error = {item.line, position + ": neither \"raw\" nor \"value\""};
        return false;
    }
    return true;
}

bool ReadJsonSettings(std::string_view text, std::vector<SettingsFileEntry>& entries,
                      SettingsFileError& error) {
    JsonValue document;
    JsonError jsonError;
    if (!ReadJson(text, document, jsonError)) {
        error = {jsonError.line, jsonError.message};
        return false;
    }
    const JsonValue* settings = document.Member("settings");
    if (settings == nullptr || settings->kind != JsonValue::Kind::Array) {
        error = {document.line, "no \"settings\" array"};
        return false;
    }
    for (size_t index = 0; index < settings->items.size(); ++index) {
        SettingsFileEntry entry;
        if (!ReadJsonEntry(settings->items[index], index, entry, error)) {
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

} // namespace

bool ReadSettingsText(std::string_view text, std::vector<SettingsFileEntry>& entries,
                      SettingsFileError& error) {
    entries.clear();
    // An editor's byte-order mark is no part of the text.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && text[first] == '{') {
        return ReadJsonSettings(text, entries, error);
    }
    return ReadLines(text, entries, error);
}

} // namespace zlc::cli

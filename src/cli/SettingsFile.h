#pragma once

#include "model/ConfigDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace zlc::cli {

// One setting as a settings file gives it.
struct SettingsFileEntry {
    int line = 0;
    std::string where; // how messages name the entry beyond its line; may be empty
    std::string name;  // an identifier, long or short name, or REG[XXh]
    std::string value; // a number or a value name
};

struct SettingsFileError {
    int line = 0;
    std::string message;
};

// Reads a settings file: the JSON object that `show --json` prints (each
// entry of "settings" by its "id", else its "name", with its "raw" value, else
// its "value"), or lines NAME=VALUE where '#' starts a comment and blank lines
// are skipped. A text whose first non-blank character is '{' is JSON. A
// UTF-8 byte-order mark at the start is skipped.
bool ReadSettingsText(std::string_view text, std::vector<SettingsFileEntry>& entries,
                      SettingsFileError& error);

// Applies the entries to the document, all or none: in file order, as
// repeated --set options would, then the plain register fields and registers
// once more, so that a field the file lists wins over a rule (such as the
// PivotScan addressing) that a later entry ran. Settings that cannot be set
// (read-only or derived) must hold the value given; any other is refused.
bool ApplySettings(ConfigDocument& doc, const std::vector<SettingsFileEntry>& entries,
                   SettingsFileError& error);

// The largest settings file read: far more than every setting takes, and
// little enough that a device or a pipe named by mistake cannot fill memory.
inline constexpr size_t kMaxSettingsFileSize = 1 << 20;

// Reads and applies the file; the message names the file and the line.
// Returns an empty text on success; the document is unchanged otherwise. A
// directory, a file that cannot be read to its end and one larger than
// kMaxSettingsFileSize are refused.
std::string ApplySettingsFile(ConfigDocument& doc, const std::string& path);

} // namespace zlc::cli

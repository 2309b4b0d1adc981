#include "base/Format.h"
#include "cli/SettingNames.h"
#include "cli/SettingsFile.h"
#include "model/DerivedSettings.h"
#include "model/SettingsTable.h"
#include "platform/FileSystem.h"

#include <cerrno>

namespace zlc::cli {

namespace {

// How an entry applies. Rules (the PivotScan addressing, the data width
// codes) read other settings and may rewrite fields the file lists too.
enum class Phase { Rule, Field, Fixed };

Phase PhaseOf(const SettingRef& ref) {
    if (ref.IsRegister()) {
        return Phase::Field;
    }
    const SettingEntry& row = *FindSetting(ref.ids.front());
    if (row.Has(SettingFlags::READONLY) || row.set == derived::SetNothing) {
        return Phase::Fixed;
    }
    return row.set != nullptr ? Phase::Rule : Phase::Field;
}

// A setting that cannot be set is accepted when it holds the value given.
std::string CheckFixed(const ConfigDocument& doc, int id, const std::string& value) {
    const SettingEntry& row = *FindSetting(id);
    const auto number = ParseNumber(value);
    const std::string current = FormatSettingValue(doc, id);
    // The value as GetSetting reads it, or as it is shown ("62740").
    if ((number && *number == GetSetting(doc, id)) || value == current) {
        return {};
    }
    return Format("\"%s\" is %s and cannot be set: it is %s, not %s", row.longName,
                  row.Has(SettingFlags::READONLY) ? "read-only" : "derived from other settings",
                  current.c_str(), value.c_str());
}

bool IsRangeRefusal(const std::string& message) {
    return message.find(" is out of range (") != std::string::npos;
}

SettingsFileError EntryError(const SettingsFileEntry& entry, const std::string& message) {
    return {entry.line, entry.where.empty() ? message : entry.where + ": " + message};
}

} // namespace

bool ApplySettings(ConfigDocument& doc, const std::vector<SettingsFileEntry>& entries,
                   SettingsFileError& error) {
    std::vector<SettingRef> refs;
    for (const SettingsFileEntry& entry : entries) {
        const auto ref = ResolveSettingName(entry.name);
        if (!ref) {
            error = EntryError(entry, Format("unknown setting \"%s\"", entry.name.c_str()));
            return false;
        }
        refs.push_back(*ref);
    }
    ConfigDocument trial = doc;
    // In file order, as repeated --set options apply; then the plain fields
    // once more, so that what a later rule derived does not replace them.
    // A value whose range depends on settings listed after it (the data
    // format of a colour passive panel) waits until they hold their values.
    std::vector<size_t> waiting;
    for (const bool fieldsOnly : {false, true}) {
        for (size_t i = 0; i < entries.size(); ++i) {
            const Phase phase = PhaseOf(refs[i]);
            if (phase == Phase::Fixed || (fieldsOnly && phase != Phase::Field)) {
                continue;
            }
            const std::string message =
                ApplyAssignment(trial, entries[i].name + "=" + entries[i].value);
            if (!fieldsOnly && IsRangeRefusal(message)) {
                waiting.push_back(i);
            } else if (!message.empty()) {
                error = EntryError(entries[i], message);
                return false;
            }
        }
    }
    for (size_t i : waiting) {
        const std::string message =
            ApplyAssignment(trial, entries[i].name + "=" + entries[i].value);
        if (!message.empty()) {
            error = EntryError(entries[i], message);
            return false;
        }
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (PhaseOf(refs[i]) != Phase::Fixed) {
            continue;
        }
        const std::string message = CheckFixed(trial, refs[i].ids.front(), entries[i].value);
        if (!message.empty()) {
            error = EntryError(entries[i], message);
            return false;
        }
    }
    doc = trial;
    return true;
}

std::string ApplySettingsFile(ConfigDocument& doc, const std::string& path) {
    std::string text;
    int readError = 0;
    if (!platform::ReadSmallFile(path, kMaxSettingsFileSize, text, readError)) {
        return readError == EFBIG ? path + ": larger than 1 MB, too large for a settings file"
                                  : path + ": " + platform::SystemErrorText(readError);
    }
    std::vector<SettingsFileEntry> entries;
    SettingsFileError error;
    if (!ReadSettingsText(text, entries, error) || !ApplySettings(doc, entries, error)) {
        return Format("%s:%d: %s", path.c_str(), error.line, error.message.c_str());
    }
    return {};
}

} // namespace zlc::cli

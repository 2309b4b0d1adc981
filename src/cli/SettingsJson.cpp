#include "cli/SettingsJson.h"

#include "cli/Json.h"
#include "model/ModeDescription.h"

#include <string_view>

namespace zlc::cli {

const char* ShownUnit(const SettingEntry& row) {
    if (row.unit == nullptr) {
        return "";
    }
    return std::string_view(row.unit) == "MHz" ? "Hz" : row.unit;
}

std::string SettingsJson(const ConfigDocument& doc) {
    std::string out = "{\n  \"settings\": [\n";
    const auto rows = SettingsTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        const SettingEntry& row = rows[i];
        out += "    {\"id\": " + std::to_string(row.id) +
               ", \"name\": " + JsonString(row.longName) +
               ", \"shortName\": " + JsonString(row.shortName) +
               ", \"value\": " + JsonString(FormatSettingValue(doc, row.id)) +
               ", \"raw\": " + std::to_string(GetSetting(doc, row.id)) +
               ", \"unit\": " + JsonString(ShownUnit(row)) + "}";
        out += i + 1 < rows.size() ? ",\n" : "\n";
    }
    out += "  ],\n  \"panel\": " + JsonString(ModeDescription(doc)) + "\n}\n";
    return out;
}

} // namespace zlc::cli

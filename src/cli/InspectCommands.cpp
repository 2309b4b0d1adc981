#include "cli/Cli.h"
#include "cli/Json.h"
#include "cli/SettingNames.h"
#include "model/ModeDescription.h"
#include "model/SettingsTable.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <string_view>

namespace zlc::cli {

namespace {

// The unit of the value printed, which is GetSetting's. It counts clocks in
// Hz; the table's "MHz" is the unit the pages show them in.
const char* UnitOf(const SettingEntry& row) {
    if (row.unit == nullptr) {
        return "";
    }
    return std::string_view(row.unit) == "MHz" ? "Hz" : row.unit;
}

int ShowText(const ConfigDocument& doc) {
    for (const SettingEntry& row : SettingsTable()) {
        std::printf("%d\t%s\t%s\t%s\n", row.id, row.longName,
                    FormatSettingValue(doc, row.id).c_str(), UnitOf(row));
    }
    std::printf("Panel: %s\n", ModeDescription(doc).c_str());
    return kExitOk;
}

int ShowJson(const ConfigDocument& doc) {
    std::string out = "{\n  \"settings\": [\n";
    const auto rows = SettingsTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        const SettingEntry& row = rows[i];
        out += "    {\"id\": " + std::to_string(row.id) +
               ", \"name\": " + JsonString(row.longName) +
               ", \"shortName\": " + JsonString(row.shortName) +
               ", \"value\": " + JsonString(FormatSettingValue(doc, row.id)) +
               ", \"raw\": " + std::to_string(GetSetting(doc, row.id)) +
               ", \"unit\": " + JsonString(UnitOf(row)) + "}";
        out += i + 1 < rows.size() ? ",\n" : "\n";
    }
    out += "  ],\n  \"panel\": " + JsonString(ModeDescription(doc)) + "\n}\n";
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

int Get(const ConfigDocument& doc, const std::vector<std::string>& names, bool raw) {
    // Resolve every name first, so that a typo prints nothing but its error.
    std::vector<SettingRef> refs;
    for (const std::string& name : names) {
        const auto ref = ResolveSettingName(name);
        if (!ref) {
            std::fprintf(stderr, "zlc62740: unknown setting \"%s\"\n", name.c_str());
            return kExitUsage;
        }
        refs.push_back(*ref);
    }
    for (const SettingRef& ref : refs) {
        std::printf("%s\n", DescribeValue(doc, ref, raw).c_str());
    }
    return kExitOk;
}

} // namespace

void AddInspectCommands(CLI::App& app, Invocation& invocation) {
    auto* show = app.add_subcommand("show", "Print every setting and the mode description");
    auto asJson = std::make_shared<bool>(false);
    show->add_flag("--json", *asJson, "Print a JSON object instead of text lines");
    show->callback([&invocation, asJson] {
        invocation.command = [asJson](ConfigDocument& doc) {
            return *asJson ? ShowJson(doc) : ShowText(doc);
        };
    });

    auto* get = app.add_subcommand("get", "Print the value of settings, one per line");
    auto names = std::make_shared<std::vector<std::string>>();
    auto raw = std::make_shared<bool>(false);
    get->add_option("NAME", *names, "Long name, short name, identifier or REG[XXh]")->required();
    get->add_flag("--raw", *raw, "Print the raw setting value (GetSetting) in decimal");
    get->callback([&invocation, names, raw] {
        invocation.command = [names, raw](ConfigDocument& doc) { return Get(doc, *names, *raw); };
    });
}

} // namespace zlc::cli

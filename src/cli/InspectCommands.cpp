#include "cli/Cli.h"
#include "cli/SettingNames.h"
#include "cli/SettingsJson.h"
#include "model/ModeDescription.h"
#include "model/SettingsTable.h"

#include <CLI/CLI.hpp>
#include <cstdio>

namespace zlc::cli {

namespace {

int ShowText(const ConfigDocument& doc) {
    for (const SettingEntry& row : SettingsTable()) {
        std::printf("%d\t%s\t%s\t%s\n", row.id, row.longName,
                    FormatSettingValue(doc, row.id).c_str(), ShownUnit(row));
    }
    std::printf("Panel: %s\n", ModeDescription(doc).c_str());
    return kExitOk;
}

int ShowJson(const ConfigDocument& doc) {
    std::fputs(SettingsJson(doc).c_str(), stdout);
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

#include "base/Format.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "files/ConfigFile.h"
#include "model/RegisterTable.h"
#include "model/SettingsTable.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

namespace zlc::cli {

namespace {

struct DiffOptions {
    std::string a;
    std::string b; // empty: the default configuration
    bool json = false;
};

struct Difference {
    std::string key;  // the setting's id, or REG[XXh]
    std::string name; // long name, or the register's REG_ name
    std::string a;
    std::string b;
};

std::vector<Difference> SettingDifferences(const ConfigDocument& a, const ConfigDocument& b) {
    std::vector<Difference> differences;
    for (const SettingEntry& row : SettingsTable()) {
        const std::string valueA = FormatSettingValue(a, row.id);
        const std::string valueB = FormatSettingValue(b, row.id);
        if (valueA != valueB || GetSetting(a, row.id) != GetSetting(b, row.id)) {
            differences.push_back({std::to_string(row.id), row.longName, valueA, valueB});
        }
    }
    return differences;
}

std::vector<Difference> RegisterDifferences(const ConfigDocument& a, const ConfigDocument& b) {
    std::vector<Difference> differences;
    for (const RegisterEntry& reg : RegisterTable()) {
        const uint8_t valueA = a.GetRegister(reg.index);
        const uint8_t valueB = b.GetRegister(reg.index);
        if (valueA != valueB) {
            differences.push_back({Format("REG[%02Xh]", static_cast<unsigned>(reg.index)), reg.name,
                                   Format("%02X", valueA), Format("%02X", valueB)});
        }
    }
    return differences;
}

void PrintText(const std::vector<Difference>& differences) {
    for (const Difference& d : differences) {
        std::printf("%s\t%s\t%s\t%s\n", d.key.c_str(), d.name.c_str(), d.a.c_str(), d.b.c_str());
    }
}

std::string JsonArray(const std::vector<Difference>& differences, const char* keyName) {
    std::string out = "[";
    for (size_t i = 0; i < differences.size(); ++i) {
        const Difference& d = differences[i];
        const bool numericKey = std::string_view(keyName) == "id";
        out += i == 0 ? "\n" : ",\n";
        out += Format("    {\"%s\": ", keyName) + (numericKey ? d.key : JsonString(d.key)) +
               ", \"name\": " + JsonString(d.name) + ", \"a\": " + JsonString(d.a) +
               ", \"b\": " + JsonString(d.b) + "}";
    }
    return out + (differences.empty() ? "]" : "\n  ]");
}

bool Load(const std::string& path, ConfigDocument& doc) {
    const FileOutcome outcome = LoadConfigFile(doc, path);
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
    }
    return outcome.ok;
}

int Diff(const DiffOptions& options) {
    ConfigDocument a;
    ConfigDocument b;
    if (!Load(options.a, a) || (!options.b.empty() && !Load(options.b, b))) {
        return kExitUsage;
    }
    const auto settings = SettingDifferences(a, b);
    const auto registers = RegisterDifferences(a, b);
    if (options.json) {
        std::printf("{\n  \"settings\": %s,\n  \"registers\": %s\n}\n",
                    JsonArray(settings, "id").c_str(), JsonArray(registers, "register").c_str());
    } else {
        PrintText(settings);
        PrintText(registers);
    }
    return settings.empty() && registers.empty() ? kExitOk : kExitFailed;
}

} // namespace

void AddDiffCommand(CLI::App& app, Invocation& invocation) {
    auto options = std::make_shared<DiffOptions>();
    auto* diff = app.add_subcommand(
        "diff", "Print the settings and registers in which two files' configurations differ; "
                "exit 0 when equal, 1 when different, 2 on trouble");
    diff->add_option("A", options->a, "A configurable file")->required();
    diff->add_option("B", options->b, "Another configurable file (default: the default block)");
    diff->add_flag("--json", options->json, "Print a JSON object instead of text lines");
    diff->callback([&invocation, options] {
        // The two files are the whole input; the document options play no part.
        invocation.command = [options](ConfigDocument&) { return Diff(*options); };
    });
}

} // namespace zlc::cli

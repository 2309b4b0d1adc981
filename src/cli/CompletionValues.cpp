#include "cli/CompletionValues.h"

#include "base/AsciiCase.h"
#include "base/Format.h"
#include "cli/Cli.h"
#include "cli/PanelCommands.h"
#include "cli/SettingNames.h"
#include "files/ConfigFile.h"
#include "model/SettingsTable.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zlc::cli {

namespace {

enum class ValueKind {
    FromOption, // whatever the option's own text says
    ConfigurableFile,
    SettingName,
    Assignment, // NAME=VALUE
    PanelName,
    RegisterIndex,
};

// Values known by their meaning, not by the option's text. An empty command
// is the tool itself (the document options).
struct NamedValueKind {
    const char* command;
    const char* option;
    ValueKind kind;
};

constexpr NamedValueKind kNamedValueKinds[] = {
    {"", "--in", ValueKind::ConfigurableFile},
    {"", "--set", ValueKind::Assignment},
    {"", "--panel", ValueKind::PanelName},
    {"get", "NAME", ValueKind::SettingName},
    {"describe", "NAME", ValueKind::SettingName},
    {"breakdown", "XX", ValueKind::RegisterIndex},
    {"save", "FILE", ValueKind::ConfigurableFile},
    {"configure", "FILE", ValueKind::ConfigurableFile},
    {"diff", "A", ValueKind::ConfigurableFile},
    {"diff", "B", ValueKind::ConfigurableFile},
};

ValueKind KindOf(const CLI::App& owner, const CLI::Option& option) {
    const std::string command = owner.get_parent() == nullptr ? "" : owner.get_name();
    const std::string name = option.get_name();
    for (const NamedValueKind& row : kNamedValueKinds) {
        if (command == row.command && name == row.option) {
            return row.kind;
        }
    }
    return ValueKind::FromOption;
}

void AddIfMatching(std::vector<std::string>& values, const std::string& value,
                   std::string_view typed) {
    if (StartsWithIgnoringAsciiCase(value, typed) &&
        std::find(values.begin(), values.end(), value) == values.end()) {
        values.push_back(value);
    }
}

std::vector<std::string> SettingNames(std::string_view typed, const char* suffix) {
    std::vector<std::string> names;
    for (const SettingEntry& row : SettingsTable()) {
        AddIfMatching(names, std::string(row.longName) + suffix, typed);
        if (row.shortName != nullptr && *row.shortName != '\0') {
            AddIfMatching(names, std::string(row.shortName) + suffix, typed);
        }
    }
    return names;
}

// After "NAME=": the value names of an enumerated setting.
std::vector<std::string> AssignmentValues(std::string_view typed) {
    const size_t equals = typed.find('=');
    if (equals == std::string_view::npos) {
        return SettingNames(typed, "=");
    }
    const std::string name(typed.substr(0, equals));
    const auto ref = ResolveSettingName(name);
    std::vector<std::string> values;
    if (!ref || ref->IsRegister() || ref->ids.empty()) {
        return values;
    }
    const int id = ref->ids.front();
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr || !row->Has(SettingFlags::ENUMERATED)) {
        return values;
    }
    const ConfigDocument doc;
    const uint32_t last = GetSettingMax(doc, id);
    for (uint32_t value = GetSettingMin(doc, id); value <= last; ++value) {
        if (const auto valueName = GetValueName(doc, id, value)) {
            AddIfMatching(values, name + "=" + *valueName, typed);
        }
    }
    return values;
}

std::vector<std::string> PanelNames(std::string_view typed, const DocumentOptions& document) {
    const PanelList& panels = ProgramPanels(document);
    std::vector<std::string> names;
    for (int i = 0; i < panels.PanelCount(); ++i) {
        AddIfMatching(names, panels.PanelAt(i).name, typed);
    }
    return names;
}

std::vector<std::string> RegisterIndices(std::string_view typed) {
    std::vector<std::string> indices;
    for (unsigned index = 0; index < 32; ++index) {
        AddIfMatching(indices, Format("%02X", index), typed);
    }
    return indices;
}

bool StartsWithElfMagic(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char magic[4] = {};
    return file.read(magic, sizeof magic) && std::string_view(magic, 4) == "\x7F"
                                                                           "ELF";
}

// As the Open dialog lists them. Only a regular file is opened for its magic:
// opening a device or a FIFO may block or act.
bool IsConfigurableFile(const std::string& path) {
    if (HasSupportedExtension(path)) {
        return true;
    }
    std::error_code error;
    return HasNoExtension(path) && std::filesystem::is_regular_file(path, error) &&
           StartsWithElfMagic(path);
}

bool AnyFile(const std::string&) {
    return true;
}

bool NoFile(const std::string&) {
    return false;
}

// "{a,b,c}" at the end of an option's type text: the choices a check allows.
std::vector<std::string> ListedChoices(const std::string& typeText) {
    const size_t open = typeText.rfind(":{");
    if (open == std::string::npos || typeText.back() != '}') {
        return {};
    }
    std::vector<std::string> choices;
    std::string choice;
    for (const char c : typeText.substr(open + 2, typeText.size() - open - 3)) {
        if (c == ',') {
            choices.push_back(choice);
            choice.clear();
        } else {
            choice += c;
        }
    }
    choices.push_back(choice);
    return choices;
}

// A value text written "squares|bars" lists literal words; "PATH|-" does not.
std::vector<std::string> AlternativeWords(const std::string& valueText) {
    std::vector<std::string> words(1);
    for (const char c : valueText) {
        if (c == '|') {
            words.emplace_back();
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-') {
            words.back() += c;
        } else {
            return {};
        }
    }
    const bool allWords =
        std::none_of(words.begin(), words.end(), [](const std::string& w) { return w.empty(); });
    return words.size() > 1 && allWords ? words : std::vector<std::string>{};
}

std::vector<std::string> ValuesFromOptionText(const CLI::Option& option, std::string_view typed) {
    const std::string valueText =
        option.get_option_text().empty() ? option.get_type_name() : option.get_option_text();
    std::vector<std::string> choices = ListedChoices(option.get_type_name());
    if (choices.empty()) {
        choices = AlternativeWords(valueText);
    }
    if (!choices.empty()) {
        std::vector<std::string> values;
        for (const std::string& choice : choices) {
            AddIfMatching(values, choice, typed);
        }
        return values;
    }
    // The value text, or the argument's own name ("BOARDFILE"), says what it is.
    const std::string described = valueText + " " + option.get_name();
    const auto mentions = [&described](const char* word) {
        return described.find(word) != std::string::npos;
    };
    if (mentions("DIR")) {
        return MatchingFiles(typed, NoFile);
    }
    if (mentions("FILE") || mentions("PATH") || mentions("PNG") || mentions("SVG")) {
        return MatchingFiles(typed, AnyFile);
    }
    return {};
}

} // namespace

std::vector<std::string> OptionValues(const CLI::App& owner, const CLI::Option& option,
                                      std::string_view typed, const DocumentOptions& document) {
    switch (KindOf(owner, option)) {
    case ValueKind::ConfigurableFile:
        return MatchingFiles(typed, IsConfigurableFile);
    case ValueKind::SettingName:
        return SettingNames(typed, "");
    case ValueKind::Assignment:
        return AssignmentValues(typed);
    case ValueKind::PanelName:
        return PanelNames(typed, document);
    case ValueKind::RegisterIndex:
        return RegisterIndices(typed);
    case ValueKind::FromOption:
        break;
    }
    return ValuesFromOptionText(option, typed);
}

std::vector<std::string> MatchingFiles(std::string_view typed,
                                       bool (*keep)(const std::string& path)) {
    const size_t slash = typed.rfind('/');
    const std::string folder(slash == std::string_view::npos ? "" : typed.substr(0, slash + 1));
    const std::string_view start =
        slash == std::string_view::npos ? typed : typed.substr(slash + 1);
    std::string readFrom = folder.empty() ? "." : folder;
    if (folder.starts_with("~/")) {
        const char* home = std::getenv("HOME");
        readFrom = std::string(home != nullptr ? home : "") + folder.substr(1);
    }
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(readFrom, error)) {
        const std::string name = entry.path().filename().string();
        // Hidden entries only when asked for by their dot.
        if (!name.starts_with(start) || (name.starts_with('.') && !start.starts_with('.'))) {
            continue;
        }
        if (entry.is_directory(error) || keep(entry.path().string())) {
            names.push_back(folder + name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace zlc::cli

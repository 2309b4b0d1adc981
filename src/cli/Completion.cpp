#include "cli/Completion.h"

#include "cli/Cli.h"
#include "cli/CompletionValues.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace zlc::cli {

namespace {

bool IsShown(const CLI::App* command) {
    return !command->get_group().empty();
}

bool IsShownOption(const CLI::Option* option) {
    return !option->get_group().empty();
}

bool TakesValue(const CLI::Option& option) {
    return option.get_expected_max() > 0;
}

const CLI::App* FindSubcommand(const CLI::App& app, const std::string& name) {
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        if (command->check_name(name)) {
            return command;
        }
    }
    return nullptr;
}

std::vector<const CLI::Option*> Positionals(const CLI::App& app) {
    return app.get_options([](const CLI::Option* option) {
        return option->get_positional() && IsShownOption(option);
    });
}

// Where the typed words have led: the command reached, the option waiting for
// its value, the arguments given so far.
struct WalkState {
    const CLI::App* command = nullptr;
    const CLI::Option* waitingOption = nullptr;
    size_t argumentsGiven = 0;
    DocumentOptions document; // only the panel directory is followed
};

void TakeWord(WalkState& state, const std::string& word) {
    if (state.waitingOption != nullptr) {
        if (state.waitingOption->check_name("--panels-dir")) {
            state.document.panelsDir = word;
        }
        state.waitingOption = nullptr;
        return;
    }
    if (word.size() > 1 && word[0] == '-') {
        const std::string name = word.substr(0, word.find('='));
        const CLI::Option* option = state.command->get_option_no_throw(name);
        if (option != nullptr && TakesValue(*option) && name.size() == word.size()) {
            state.waitingOption = option;
        }
        return;
    }
    if (const CLI::App* command = FindSubcommand(*state.command, word)) {
        state.command = command;
        state.argumentsGiven = 0;
        return;
    }
    ++state.argumentsGiven;
}

// The argument a word at this place fills: a repeatable last one takes all
// that follow.
const CLI::Option* ArgumentAt(const CLI::App& command, size_t index) {
    const auto arguments = Positionals(command);
    if (arguments.empty()) {
        return nullptr;
    }
    if (index < arguments.size()) {
        return arguments[index];
    }
    const CLI::Option* last = arguments.back();
    return last->get_expected_max() > 1 ? last : nullptr;
}

void AddMatching(std::vector<std::string>& out, const std::string& candidate,
                 std::string_view typed) {
    if (candidate.starts_with(typed)) {
        out.push_back(candidate);
    }
}

std::vector<std::string> OptionNames(const CLI::App& command, std::string_view typed) {
    std::vector<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        if (!IsShownOption(option) || option->get_positional()) {
            continue;
        }
        for (const std::string& name : option->get_lnames()) {
            AddMatching(names, "--" + name, typed);
        }
        for (const std::string& name : option->get_snames()) {
            AddMatching(names, "-" + name, typed);
        }
    }
    return names;
}

// "--name=VALUE" typed as one word: the option's values, behind its name.
std::vector<std::string> InlineOptionValues(const WalkState& state, const std::string& typed) {
    const size_t equals = typed.find('=');
    const CLI::Option* option = state.command->get_option_no_throw(typed.substr(0, equals));
    if (option == nullptr || !TakesValue(*option)) {
        return {};
    }
    const std::string name = typed.substr(0, equals + 1);
    std::vector<std::string> values =
        OptionValues(*state.command, *option, typed.substr(equals + 1), state.document);
    for (std::string& value : values) {
        value.insert(0, name);
    }
    return values;
}

std::vector<std::string> Candidates(const WalkState& state, const std::string& typed) {
    if (state.waitingOption != nullptr) {
        return OptionValues(*state.command, *state.waitingOption, typed, state.document);
    }
    if (typed.starts_with("--") && typed.find('=') != std::string::npos) {
        return InlineOptionValues(state, typed);
    }
    if (typed.starts_with('-')) {
        return OptionNames(*state.command, typed);
    }
    std::vector<std::string> candidates;
    if (state.argumentsGiven == 0) {
        for (const std::string& name : VisibleSubcommands(*state.command)) {
            AddMatching(candidates, name, typed);
        }
    }
    if (const CLI::Option* argument = ArgumentAt(*state.command, state.argumentsGiven)) {
        const auto values = OptionValues(*state.command, *argument, typed, state.document);
        candidates.insert(candidates.end(), values.begin(), values.end());
    }
    return candidates;
}

} // namespace

TypedLine SplitTypedLine(std::string_view line) {
    TypedLine typed;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const bool escapes =
            c == '\\' && i + 1 < line.size() && quote != '\'' &&
            (quote == 0 || std::string_view("\"\\$`").find(line[i + 1]) != std::string_view::npos);
        if (escapes) {
            word += line[++i];
            inWord = true;
        } else if (quote != 0 && c == quote) {
            quote = 0;
        } else if (quote == 0 && (c == '"' || c == '\'')) {
            quote = c;
            inWord = true;
        } else if (quote == 0 && (c == ' ' || c == '\t' || c == '\n')) {
            if (inWord) {
                typed.words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    typed.current = word;
    return typed;
}

CompletionAnswer CompleteLine(const CLI::App& app, std::string_view line) {
    const TypedLine typed = SplitTypedLine(line);
    WalkState state;
    state.command = &app;
    // The first word names the program.
    for (size_t i = 1; i < typed.words.size(); ++i) {
        TakeWord(state, typed.words[i]);
    }
    return {typed.current, Candidates(state, typed.current)};
}

std::vector<std::string> VisibleSubcommands(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands(IsShown)) {
        names.push_back(command->get_name());
    }
    return names;
}

} // namespace zlc::cli

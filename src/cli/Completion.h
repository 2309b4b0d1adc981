#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace zlc::cli {

// A command line as a shell would split it, up to the cursor: the finished
// words, without quotes and backslashes, and the word being typed (empty
// after a blank).
struct TypedLine {
    std::vector<std::string> words;
    std::string current;
};

TypedLine SplitTypedLine(std::string_view line);

// What may replace the word being typed: the word as the shell sees it once
// its quotes are gone, and the candidates, each a whole word beginning with it.
struct CompletionAnswer {
    std::string word;
    std::vector<std::string> candidates;
};

// Walks the tool's own subcommands and options along the typed words (the
// first is the program's name) and answers for the last: an option name, a
// subcommand, or the value the option or argument before it takes (setting
// names, predefined panels, configurable files, ...).
CompletionAnswer CompleteLine(const CLI::App& app, std::string_view line);

// The names of the subcommands a user is shown, in the order of --help.
std::vector<std::string> VisibleSubcommands(const CLI::App& app);

} // namespace zlc::cli

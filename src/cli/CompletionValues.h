#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace zlc::cli {

struct DocumentOptions;

// The values an option or argument takes, beginning with `typed`. Most are
// read from the option itself (its listed choices, or the kind of its value
// text: FILE, DIR, N ...); the few whose values the tool knows by meaning are
// named in one table: setting names, assignments, predefined panels,
// registers and configurable files. `owner` is the subcommand the option
// belongs to; `document` says where the predefined panels are read.
std::vector<std::string> OptionValues(const CLI::App& owner, const CLI::Option& option,
                                      std::string_view typed, const DocumentOptions& document);

// The entries of the directory that `typed` names up to its last '/' whose
// names begin with the rest: every folder, and the files `keep` accepts
// (given the path as it is read). A leading "~/" stands for $HOME and is kept
// in the answers.
std::vector<std::string> MatchingFiles(std::string_view typed,
                                       bool (*keep)(const std::string& path));

} // namespace zlc::cli

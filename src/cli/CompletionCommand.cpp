#include "cli/Cli.h"
#include "cli/Completion.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

namespace zlc::cli {

namespace {

// The shells ask the program what may follow the words typed so far, so that
// what they offer is always what this build accepts. Readline replaces only
// the part of a word after its last word break (= and : among them), so the
// answers lose what comes before it; the program's first line is the word as
// it sees it. -o filenames has readline quote names with blanks or continue
// the quote the user opened.
constexpr const char* kBashScript = R"(# bash completion for zlc62740
_zlc62740() {
    local program=${1/#\~/$HOME} typed=${2//\\/} before
    local -a answer
    mapfile -t answer < <("$program" __complete line "${COMP_LINE:0:COMP_POINT}" 2>/dev/null)
    COMPREPLY=()
    [[ ${#answer[@]} -gt 0 ]] || return 0
    typed=${typed#[\"\']}
    before=${answer[0]%"$typed"}
    [[ $before$typed == "${answer[0]}" ]] || before=
    COMPREPLY=("${answer[@]:1}")
    COMPREPLY=("${COMPREPLY[@]#"$before"}")
    compopt -o filenames 2>/dev/null
    if [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]]; then
        compopt -o nospace 2>/dev/null
    fi
    return 0
}
complete -F _zlc62740 zlc62740
)";

int Print(const char* text) {
    std::fputs(text, stdout);
    return kExitOk;
}

int PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
    return kExitOk;
}

int Answer(const CLI::App& app, const std::vector<std::string>& request) {
    const std::string& what = request.empty() ? std::string() : request.front();
    if (what == "bash" && request.size() == 1) {
        return Print(kBashScript);
    }
    if (what == "commands" && request.size() == 1) {
        return PrintLines(VisibleSubcommands(app));
    }
    if (what == "line" && request.size() == 2) {
        CompletionAnswer answer = CompleteLine(app, request[1]);
        answer.candidates.insert(answer.candidates.begin(), answer.word);
        return PrintLines(answer.candidates);
    }
    std::fprintf(stderr, "zlc62740: __complete: bash, commands or line LINE\n");
    return kExitUsage;
}

} // namespace

void AddCompletionCommand(CLI::App& app, Invocation& invocation) {
    // Hidden: the shells' scripts call it, people do not.
    auto* command = app.add_subcommand("__complete", "");
    command->group("");
    command->prefix_command();
    command->callback([&app, &invocation, command] {
        auto request = std::make_shared<std::vector<std::string>>(command->remaining());
        invocation.command = [&app, request](ConfigDocument&) { return Answer(app, *request); };
    });
}

} // namespace zlc::cli

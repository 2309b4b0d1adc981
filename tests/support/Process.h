#pragma once

#include "support/TempDir.h"

#include <string>
#include <sys/wait.h>

namespace zlc::test {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line with `input` (a file) on its standard input,
// capturing both output streams.
inline RunResult Shell(const std::string& commandLine, const std::string& input = "/dev/null") {
    TempDir dir;
    const std::string out = dir / "out";
    const std::string err = dir / "err";
    std::string line = commandLine;
    line.append(" >").append(out).append(" 2>").append(err).append(" <").append(input);
    const int raw = std::system(line.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

// Quotes a word for the shell.
inline std::string Quote(const std::string& word) {
    std::string quoted(1, '\'');
    for (char c : word) {
        if (c == '\'') {
            quoted.append("'\\''");
        } else {
            quoted.push_back(c);
        }
    }
    quoted.push_back('\'');
    return quoted;
}

inline bool HaveTool(const std::string& tool) {
    return Shell("command -v " + tool).status == 0;
}

} // namespace zlc::test

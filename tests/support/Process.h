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

// Runs a shell command line, capturing both output streams.
inline RunResult Shell(const std::string& commandLine) {
    TempDir dir;
    const std::string out = dir / "out";
    const std::string err = dir / "err";
    const int raw = std::system((commandLine + " >" + out + " 2>" + err + " </dev/null").c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

// Quotes a word for the shell.
inline std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

inline bool HaveTool(const std::string& tool) {
    return Shell("command -v " + tool).status == 0;
}

} // namespace zlc::test

#pragma once

#include "support/Process.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

namespace zlc::test {

// Runs a built program of this project (by name, from the build's bin
// directory) with the arguments and `stdinText` on its input, and collects its
// exit status and output.
inline RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::string& stdinText = {}) {
    TempDir dir;
    const std::string input = dir / "in";
    WriteFile(input, stdinText);
    std::string command = Quote(std::string(ZLC_BIN_DIR) + "/" + program);
    for (const std::string& arg : args) {
        command.push_back(' ');
        command.append(Quote(arg));
    }
    return Shell(command, input);
}

inline RunResult Zlc(const std::vector<std::string>& args) {
    return RunProgram("zlc62740", args);
}

} // namespace zlc::test

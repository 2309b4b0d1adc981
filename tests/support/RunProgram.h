#pragma once

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zlc::test {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& text) {
    std::string quoted(1, '\'');
    for (const char c : text) {
        if (c == '\'') {
            quoted.append("'\\''");
        } else {
            quoted.push_back(c);
        }
    }
    quoted.push_back('\'');
    return quoted;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// Runs a built program of this project (by name, from the build's bin
// directory) with the arguments, and collects its exit status and output.
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::string& stdinText = {}) {
    char errPath[] = "/tmp/zlc-test-stderr-XXXXXX";
    const int errFd = mkstemp(errPath);
    close(errFd);
    char inPath[] = "/tmp/zlc-test-stdin-XXXXXX";
    const int inFd = mkstemp(inPath);
    if (!stdinText.empty()) {
        (void)!write(inFd, stdinText.data(), stdinText.size());
    }
    close(inFd);

    std::string command = ShellQuote(std::string(ZLC_BIN_DIR) + "/" + program);
    for (const std::string& arg : args) {
        command.push_back(' ');
        command.append(ShellQuote(arg));
    }
    command.append(" <").append(inPath).append(" 2>").append(errPath);

    ProgramResult result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            result.out.append(buffer, n);
        }
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    result.err = ReadWholeFile(errPath);
    unlink(errPath);
    unlink(inPath);
    return result;
}

} // namespace zlc::test

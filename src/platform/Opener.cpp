#include "platform/Opener.h"

#include <cerrno>
#include <cstdlib>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>

extern char** environ;

namespace zlc::platform {

namespace {

std::vector<std::string> SplitAtBlanks(const char* text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

// The shell checks that the program exists before it puts it in the
// background, so a missing program is reported as exit status 127 while a
// found one is left running on its own: nothing of it stays behind as a child
// of ours, and its failures later on are its own to show.
constexpr const char* kLauncherScript = "command -v \"$1\" >/dev/null 2>&1 || exit 127\n"
                                        "\"$@\" </dev/null >/dev/null 2>&1 &\n";

} // namespace

std::vector<std::string> OpenerCommand(const std::string& path, OpenWith how, const char* visual,
                                       const char* editor) {
    std::vector<std::string> command;
    if (how == OpenWith::TextEditor) {
        for (const char* variable : {visual, editor}) {
            if (variable != nullptr) {
                command = SplitAtBlanks(variable);
                if (!command.empty()) {
                    break;
                }
            }
        }
    }
    if (command.empty()) {
        command.push_back("xdg-open");
    }
    command.push_back(path);
    return command;
}

bool StartDetached(const std::vector<std::string>& command) {
    if (command.empty()) {
        return false;
    }
    std::vector<std::string> words{"sh", "-c", kLauncherScript, "sh"};
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool OpenWithDesktop(const std::string& path, OpenWith how) {
    return StartDetached(OpenerCommand(path, how, std::getenv("VISUAL"), std::getenv("EDITOR")));
}

} // namespace zlc::platform

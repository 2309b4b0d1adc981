#include "platform/Opener.h"

#include "base/Format.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

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

// The file descriptor on which the launcher reports the program's status.
constexpr int kStatusFd = 3;
constexpr int kNotFound = 127;

// The shell checks that the program exists before it puts it in the
// background, so a missing program is reported as exit status 127 while a
// found one is left running on its own: nothing of it stays behind as a child
// of ours. A subshell waits for it and writes its status to descriptor 3; once
// nobody reads there any more, the subshell ends quietly.
constexpr const char* kLauncherScript =
    "command -v \"$1\" >/dev/null 2>&1 || exit 127\n"
    "( \"$@\" 3>&-; echo $? >&3 ) </dev/null >/dev/null 2>&1 &\n";

// Runs the launcher; answers its exit status, or -1 when it could not run.
int RunLauncher(std::vector<std::string> words, int statusWriteFd) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, statusWriteFd, kStatusFd);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The status the subshell reports within `waitMs`; 0 when the program is
// still running then, or when no status came.
int ReportedStatus(int readFd, int waitMs) {
    pollfd watched{readFd, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&watched, 1, waitMs);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) {
        return 0;
    }
    char text[16] = {};
    const ssize_t got = ::read(readFd, text, sizeof text - 1);
    return got > 0 ? std::atoi(text) : 0;
}

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

StartResult StartDetached(const std::vector<std::string>& command, int waitMs) {
    if (command.empty()) {
        return {false, "No program was named."};
    }
    const std::string& program = command.front();
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return {false, Format("%s could not be started.", program.c_str())};
    }
    std::vector<std::string> words{"sh", "-c", kLauncherScript, "sh"};
    words.insert(words.end(), command.begin(), command.end());
    const int launched = RunLauncher(std::move(words), pipeFds[1]);
    ::close(pipeFds[1]);
    const int status = launched == 0 ? ReportedStatus(pipeFds[0], waitMs) : 0;
    ::close(pipeFds[0]);
    if (launched == kNotFound) {
        return {false, Format("The program %s was not found.", program.c_str())};
    }
    if (launched != 0) {
        return {false, Format("%s could not be started.", program.c_str())};
    }
    if (status != 0) {
        return {false, Format("%s ended with exit status %d.", program.c_str(), status)};
    }
    return {true, {}};
}

StartResult OpenWithDesktop(const std::string& path, OpenWith how) {
    return StartDetached(OpenerCommand(path, how, std::getenv("VISUAL"), std::getenv("EDITOR")));
}

} // namespace zlc::platform

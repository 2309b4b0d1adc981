#pragma once

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zlc::test {

// A program run with pipes on its standard input and output, and with extra
// environment variables.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::pair<std::string, std::string>>& env) {
        int in[2];
        int out[2];
        if (pipe(in) != 0 || pipe(out) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], STDIN_FILENO);
            dup2(out[1], STDOUT_FILENO);
            close(in[0]);
            close(in[1]);
            close(out[0]);
            close(out[1]);
            for (const auto& [name, value] : env) {
                setenv(name.c_str(), value.c_str(), 1);
            }
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(program.c_str()));
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        input_ = in[1];
        output_ = out[0];
        signal(SIGPIPE, SIG_IGN);
    }
    ~ChildProcess() {
        if (pid_ > 0 && !waited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        CloseInput();
        if (output_ >= 0) {
            close(output_);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void Write(const std::string& bytes) {
        if (input_ >= 0) {
            [[maybe_unused]] const ssize_t n = write(input_, bytes.data(), bytes.size());
        }
    }
    void CloseInput() {
        if (input_ >= 0) {
            close(input_);
            input_ = -1;
        }
    }

    // Reads output until it holds `text` after position `from`, or the time is up.
    bool WaitFor(const std::string& text, size_t from = 0, int timeoutMs = 10000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (output.find(text, from) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()))) {
                return false;
            }
        }
        return true;
    }

    // Closes the input, reads the rest of the output and gives the exit code
    // (-1 when the program did not end normally within the time).
    int Finish(int timeoutMs = 20000) {
        CloseInput();
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        bool ended = false;
        while (!ended && std::chrono::steady_clock::now() < end) {
            ended = !ReadSome(100);
        }
        if (!ended && pid_ > 0) {
            kill(pid_, SIGKILL); // hung: it fails the test rather than the run
        }
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) {
            return -1;
        }
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string output;

  private:
    // False at the end of the output.
    bool ReadSome(int timeoutMs) {
        pollfd wait{output_, POLLIN, 0};
        if (poll(&wait, 1, timeoutMs) <= 0) {
            return true;
        }
        char buffer[4096];
        const ssize_t n = read(output_, buffer, sizeof buffer);
        if (n <= 0) {
            return false;
        }
        output.append(buffer, static_cast<size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    bool waited_ = false;
};

} // namespace zlc::test

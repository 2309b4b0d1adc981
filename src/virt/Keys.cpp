#include "virt/Keys.h"

#include "base/AsciiCase.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <poll.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace zlc::virt {

namespace {

// How long the rest of an escape sequence may take to arrive before a lone Esc
// is taken as the Esc key.
constexpr int kSequenceWaitMs = 50;

// The terminal settings to put back if a signal ends the program in raw mode.
termios gSavedTerminal{};
int gRawFd = -1;

void RestoreTerminalAndDie(int signal) {
    if (gRawFd >= 0) {
        tcsetattr(gRawFd, TCSANOW, &gSavedTerminal);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The decimal parameter at the start of `text`; an omitted one, or one too
// long for an int, counts as 1, the terminal's own default.
int Parameter(std::string_view text) {
    int value = 1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 1;
}

int Modified(char final, bool ctrl) {
    switch (final) {
    case 'A':
        return ctrl ? kKeyCtrlUp : kKeyUp;
    case 'B':
        return ctrl ? kKeyCtrlDown : kKeyDown;
    case 'C':
        return ctrl ? kKeyCtrlRight : kKeyRight;
    case 'D':
        return ctrl ? kKeyCtrlLeft : kKeyLeft;
    case 'H':
        return kKeyHome;
    case 'F':
        return kKeyEnd;
    default:
        return kKeyOther;
    }
}

} // namespace

KeyReader::KeyReader(int fd) : fd_(fd) {
    if (isatty(fd) && tcgetattr(fd, &saved_) == 0) {
        termios raw = saved_;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        if (tcsetattr(fd, TCSANOW, &raw) == 0) {
            raw_ = true;
            gSavedTerminal = saved_;
            gRawFd = fd;
            std::signal(SIGINT, RestoreTerminalAndDie);
            std::signal(SIGTERM, RestoreTerminalAndDie);
            std::signal(SIGHUP, RestoreTerminalAndDie);
        }
    }
}

KeyReader::~KeyReader() {
    if (raw_) {
        tcsetattr(fd_, TCSANOW, &saved_);
        gRawFd = -1;
    }
}

int KeyReader::NextByte(int timeoutMs) {
    if (pending_ >= 0) {
        const int byte = pending_;
        pending_ = -1;
        return byte;
    }
    if (ended_) {
        return kKeyEndOfInput;
    }
    pollfd wait{fd_, POLLIN, 0};
    const int ready = poll(&wait, 1, timeoutMs);
    if (ready == 0) {
        return kKeyNone;
    }
    unsigned char byte = 0;
    ssize_t got = 0;
    do {
        got = read(fd_, &byte, 1);
    } while (got < 0 && errno == EINTR);
    if (got != 1) {
        ended_ = true;
        return kKeyEndOfInput;
    }
    return byte;
}

int KeyReader::DecodeEscape() {
    const int introducer = NextByte(kSequenceWaitMs);
    if (introducer != '[' && introducer != 'O') {
        if (introducer >= 0) {
            pending_ = introducer; // a key of its own after a lone Esc
        }
        return kKeyEsc;
    }
    // Parameters and intermediates up to the final byte of the sequence.
    std::string parameters;
    int final = NextByte(kSequenceWaitMs);
    while (final >= 0x20 && final < 0x40 && parameters.size() < 16) {
        parameters += static_cast<char>(final);
        final = NextByte(kSequenceWaitMs);
    }
    if (final < 0x40 || final > 0x7E) {
        return kKeyOther;
    }
    const int first = Parameter(parameters);
    const size_t separator = parameters.find(';');
    const int modifier = separator == std::string::npos
                             ? 1
                             : Parameter(std::string_view(parameters).substr(separator + 1));
    // xterm modifiers: 1 + (shift 1, alt 2, ctrl 4).
    const bool ctrl = modifier > 1 && ((modifier - 1) & 4) != 0;
    if (final == '~') {
        switch (first) {
        case 1:
        case 7:
            return kKeyHome;
        case 4:
        case 8:
            return kKeyEnd;
        default:
            return kKeyOther;
        }
    }
    return Modified(static_cast<char>(final), ctrl);
}

int KeyReader::Read(int timeoutMs) {
    const int byte = NextByte(timeoutMs);
    if (byte < 0) {
        return byte;
    }
    if (byte == kKeyEsc) {
        return DecodeEscape();
    }
    return static_cast<unsigned char>(AsciiUpper(static_cast<char>(byte)));
}

} // namespace zlc::virt

#pragma once

#include <termios.h>

namespace zlc::virt {

// Key codes as the pan loop knows them: a plain key is its character folded to
// upper case; an extended key (arrows, Home, End and their Ctrl forms) is the
// second code a PC keyboard sends after its 0 or E0h prefix. The two share one
// code space, so H, P, K, M, G and O act as Up, Down, Left, Right, Home, End.
enum KeyCode : int {
    kKeyNone = -1,       // no key arrived within the wait
    kKeyEndOfInput = -2, // the input has ended
    kKeyOther = 0,       // an extended key the program has no use for
    kKeyEsc = 27,
    kKeyHome = 71,
    kKeyUp = 72,
    kKeyLeft = 75,
    kKeyRight = 77,
    kKeyEnd = 79,
    kKeyDown = 80,
    kKeyCtrlLeft = 115,
    kKeyCtrlRight = 116,
    kKeyCtrlUp = 141,
    kKeyCtrlDown = 145,
};

// Reads keys from a file descriptor. A terminal is put into raw mode (no line
// editing, no echo) for the reader's lifetime and its escape sequences are
// decoded; any other input, a pipe or a file, is read the same way, so a
// script can feed the keys.
class KeyReader {
  public:
    explicit KeyReader(int fd);
    ~KeyReader();
    KeyReader(const KeyReader&) = delete;
    KeyReader& operator=(const KeyReader&) = delete;

    // Waits up to `timeoutMs` milliseconds for a key (forever when negative).
    int Read(int timeoutMs);

  private:
    int NextByte(int timeoutMs);
    int DecodeEscape();

    int fd_;
    bool raw_ = false;
    bool ended_ = false;
    int pending_ = -1;
    termios saved_{};
};

} // namespace zlc::virt

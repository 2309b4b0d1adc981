#pragma once

#include <string>

namespace zlc::hal {

// The one variable that chooses the board a run talks to:
//   unset or empty   the simulated board in DefaultBoardFile()
//   "device"         the Linux board through /dev/mem or /dev/uioN
//   "device:DIR"     the same with DIR in place of /dev
//   anything else    the simulated board held in that file
inline constexpr const char* kBoardVariable = "ZLC62740_BOARD";
// Chooses N of /dev/uioN when the block asks for the board to be found.
inline constexpr const char* kBoardIndexVariable = "Q9EBOARD";

struct BoardChoice {
    enum Kind { Simulated, Device } kind = Simulated;
    std::string path; // the board file, or the directory of the device files
    // The default board: a name every user's runs compute alike, so it is
    // opened without following a link and only when it is the user's own.
    bool privateFile = false;
};

BoardChoice ChooseBoard(const char* value);

// The user's own board: $XDG_RUNTIME_DIR/zlc62740.board, or, without a
// runtime directory, zlc62740-UID.board in the temporary directory.
std::string DefaultBoardFile();

// The board number the variable's text gives: the decimal number its first 79
// characters begin with, 0 when unset, not a number or above 9999.
int BoardIndexFromText(const char* text);

} // namespace zlc::hal

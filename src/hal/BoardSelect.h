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
};

BoardChoice ChooseBoard(const char* value);

// ${TMPDIR:-/tmp}/zlc62740.board
std::string DefaultBoardFile();

// The board number the variable's text gives: its first 79 characters read as
// a decimal integer, 0 when unset or not a number.
int BoardIndexFromText(const char* text);

} // namespace zlc::hal

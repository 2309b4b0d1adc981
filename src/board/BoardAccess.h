#pragma once

// The board as a place to try a configuration and to read one back: programs
// it through the HAL as the virtual-screen test program starts, or reads the
// registers it holds. Free of any toolkit, for zlc62740 and 62740CFG alike.

#include "model/ConfigBlock.h"
#include "preview/ChipProgramming.h"

#include <array>
#include <cstdint>
#include <string>

namespace zlc::board {

// Which board a command talks to: the one ZLC62740_BOARD chooses, or the
// simulated board in a file the command names.
struct BoardTarget {
    std::string simulatedFile; // empty: as ZLC62740_BOARD chooses

    // How messages name the board: its file, or "device DIR".
    std::string Name() const;
};

struct ApplyResult {
    bool ok = false;
    // The HAL's message when it cannot reach the chip (the test program's
    // text), or its refusal of the configuration.
    std::string message;
    preview::ChipReport report;
};

// Programs the board from the block: registers, orientation and frame-rate
// tuning, and the test pattern of squares, so that the panel shows something.
ApplyResult ApplyToBoard(const ConfigBlock& block, const BoardTarget& target);

struct BoardRegisters {
    bool ok = false;
    std::string message; // the HAL's message when it cannot reach the chip
    std::array<uint8_t, kRegisterCount> regs{};
};

// The registers the board holds. The block gives the display buffer address
// at which a Linux board is mapped; nothing is written to the board.
BoardRegisters ReadBoardRegisters(const ConfigBlock& block, const BoardTarget& target);

// Whether the board holds register `index` as a configuration sets it: the
// registers the HAL programs from a block.
bool IsHeldByBoard(int index);

} // namespace zlc::board

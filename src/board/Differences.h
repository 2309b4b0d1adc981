#pragma once

// Where two configurations differ, setting by setting and register by
// register; one of them may be what a board holds.

#include "model/ConfigDocument.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zlc::board {

struct Difference {
    std::string key;  // the setting's id, or REG[XXh]
    std::string name; // long name, or the register's REG_ name
    std::string a;
    std::string b;
};

std::vector<Difference> SettingDifferences(const ConfigDocument& a, const ConfigDocument& b);
std::vector<Difference> RegisterDifferences(const ConfigDocument& a, const ConfigDocument& b);

// The configuration a board runs, as far as it holds one: `base` with the
// registers the board holds replaced by the board's. Everything else (the
// clock, the addresses, the frame rate, the power delays, the registers the
// HAL does not program) is the base's, so it cannot differ.
ConfigDocument WithBoardRegisters(const ConfigDocument& base,
                                  const std::array<uint8_t, kRegisterCount>& regs);

// What a comparison with a board leaves out, in one sentence.
std::string NotComparedWithBoard();

// One difference per line: key, name, A's value, B's value (tab-separated).
std::string DifferenceLines(const std::vector<Difference>& differences);

} // namespace zlc::board

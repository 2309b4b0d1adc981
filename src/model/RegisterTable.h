#pragma once

#include "model/ConfigDocument.h"

#include <array>
#include <span>
#include <string>

namespace zlc {

struct RegisterEntry {
    int index;
    const char* name;     // symbolic name, REG_...
    const char* longName; // shown to the user
};

// The 32 registers in index order.
std::span<const RegisterEntry> RegisterTable();

// The long name of a register; "<ERROR>" for an index that has none.
std::string RegisterName(int index);

// The five columns of one row of the register list: index with the row's
// mark, hexadecimal, binary, decimal and name. `mark` is "   " for an
// unmodified register.
std::array<std::string, 5> RegisterListRow(const ConfigDocument& doc, int index,
                                           const char* mark = "   ");

} // namespace zlc

#pragma once

#include "model/ConfigBlock.h"

#include <cstdint>

namespace zlc {

// The one configuration that the utility edits: a block, always held in
// little-endian order, plus the values that the block cannot carry. Every
// setting is read from and written to it; nothing derived is stored here.
class ConfigDocument {
  public:
    ConfigDocument() : block(DefaultConfigBlock()) {}

    // REG[index] for index 0..31; 0 for any other index.
    uint8_t GetRegister(int index) const;
    // Stores the low 8 bits into REG[index]; other indexes are ignored.
    // Returns the value it was given.
    uint32_t SetRegister(int index, uint32_t value);

    ConfigBlock block;
    uint32_t lcdPowerOffTimeMs = 500;
    uint32_t lcdPowerOnTimeMs = 0;
    // The panel data format choice. Reading "Panel Data Format Select"
    // refreshes it from the register bits, so it may change on a read.
    mutable bool format2Selected = false;
};

} // namespace zlc

#pragma once

// The driver interface under the HAL: a backend maps the chip and hands back a
// window onto its display memory and registers. The HAL calls the backend only
// to obtain the window; everything after that is register and memory access.

#include "hal/Hal.h"

#include <cstdint>
#include <memory>

namespace zlc::hal {

// Registers lie this far above the display memory base in the chip's window.
inline constexpr uint32_t kRegisterOffset = 0x1FFE0;
// The window the HAL needs: display memory up to the last register.
inline constexpr uint32_t kChipWindowSize = 0x20000;
// The window asked for at a physical address.
inline constexpr uint32_t kPhysicalWindowSize = 0x400000;

class ChipWindow {
  public:
    virtual ~ChipWindow() = default;
    // HAL_MEMORY_SIZE bytes of display memory.
    virtual uint8_t* Memory() = 0;
    // Single byte accesses to REG[00h]..REG[1Fh]; `index` is below 32.
    virtual uint8_t ReadRegister(unsigned index) = 0;
    virtual void WriteRegister(unsigned index, uint8_t value) = 0;
};

struct MapResult {
    int code = HAL_DRIVER_NOT_FOUND; // HAL_OK, HAL_DRIVER_NOT_FOUND or HAL_IOCTL_ERROR
    std::unique_ptr<ChipWindow> window;
};

// Chooses the backend as the environment says and maps the chip.
MapResult MapChip(uint32_t physMemAddr);

struct BoardChoice;
// Maps the chip of a board chosen otherwise (a command naming a board file).
MapResult MapChosenBoard(const BoardChoice& choice, uint32_t physMemAddr);

} // namespace zlc::hal

// halInitialize with a window that is already mapped: the backend choice is
// skipped, the rest is the same. Tests use it to run the HAL over a board they
// hold in memory.
int halInitializeWithWindow(HAL_STRUCT* info, std::unique_ptr<zlc::hal::ChipWindow> window);

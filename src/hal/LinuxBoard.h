#pragma once

#include "hal/ChipWindow.h"

#include <string>

namespace zlc::hal {

// Maps the chip from a memory device in `deviceDir`: DIR/mem at the physical
// address (a window of kPhysicalWindowSize bytes) when it is not 0, otherwise
// the first map of DIR/uioN for board N. A device that cannot be opened gives
// HAL_DRIVER_NOT_FOUND, one that refuses the mapping HAL_IOCTL_ERROR. An
// ordinary file may stand in for the device; it must then be long enough.
MapResult MapLinuxBoard(const std::string& deviceDir, uint32_t physMemAddr, int boardIndex);

} // namespace zlc::hal

#include "virt/HalMessages.h"

#include "hal/Hal.h"

namespace zlc::virt {

const char* HalInitializeMessage(int code) {
    switch (code) {
    case HAL_DEVICE_NOT_FOUND:
        return "\nERROR: Did not find an ZLC62740 device.\n";
    case HAL_DRIVER_NOT_FOUND:
        return "\nERROR: Unable to locate/load ZLC62XXX.VXD\n";
    case HAL_IOCTL_ERROR:
        return "\nERROR: An IOCTL error occurred.\n";
    default:
        return "\nERROR: The HAL returned an unknown error.\n";
    }
}

} // namespace zlc::virt

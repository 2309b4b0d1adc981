#include "hal/BoardSelect.h"

#include "hal/ChipWindow.h"
#include "hal/LinuxBoard.h"
#include "hal/sim/SimulatedBoard.h"

#include <cstdlib>
#include <cstring>

namespace zlc::hal {

namespace {

constexpr const char* kDevicePrefix = "device";

} // namespace

BoardChoice ChooseBoard(const char* value) {
    BoardChoice choice;
    if (value == nullptr || *value == '\0') {
        choice.path = DefaultBoardFile();
        return choice;
    }
    const size_t prefixLength = std::strlen(kDevicePrefix);
    if (std::strcmp(value, kDevicePrefix) == 0) {
        choice.kind = BoardChoice::Device;
        choice.path = "/dev";
    } else if (std::strncmp(value, kDevicePrefix, prefixLength) == 0 &&
               value[prefixLength] == ':') {
        choice.kind = BoardChoice::Device;
        choice.path = value + prefixLength + 1;
    } else {
        choice.path = value;
    }
    return choice;
}

std::string DefaultBoardFile() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = dir != nullptr && *dir != '\0' ? dir : "/tmp";
    if (path.back() != '/') {
        path += '/';
    }
    return path + "zlc62740.board";
}

int BoardIndexFromText(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    // The driver of old read the number out of an 80-character buffer.
    char buffer[80] = {};
    std::strncpy(buffer, text, sizeof buffer - 1);
    char* end = nullptr;
    const long value = std::strtol(buffer, &end, 10);
    if (end == buffer || value < 0 || value > 9999) {
        return 0;
    }
    return static_cast<int>(value);
}

MapResult MapChip(uint32_t physMemAddr) {
    const BoardChoice choice = ChooseBoard(std::getenv(kBoardVariable));
    if (choice.kind == BoardChoice::Device) {
        return MapLinuxBoard(choice.path, physMemAddr,
                             BoardIndexFromText(std::getenv(kBoardIndexVariable)));
    }
    MapResult result;
    std::string message;
    result.window = sim::OpenBoardFile(choice.path, message);
    result.code = result.window ? HAL_OK : HAL_DRIVER_NOT_FOUND;
    return result;
}

} // namespace zlc::hal

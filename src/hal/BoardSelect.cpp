#include "hal/BoardSelect.h"

#include "hal/ChipWindow.h"
#include "hal/LinuxBoard.h"
#include "hal/sim/SimulatedBoard.h"
#include "platform/FileSystem.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace zlc::hal {

namespace {

constexpr const char* kDevicePrefix = "device";
constexpr size_t kBoardIndexTextLength = 79;

} // namespace

BoardChoice ChooseBoard(const char* value) {
    BoardChoice choice;
    if (value == nullptr || *value == '\0') {
        choice.path = DefaultBoardFile();
        choice.privateFile = true;
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
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return std::string(runtime) + "/zlc62740.board";
    }
    return platform::TemporaryDirectory() + "/zlc62740-" + std::to_string(::getuid()) + ".board";
}

int BoardIndexFromText(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    // Only the first 79 characters count, so that a value padded beyond that
    // length keeps choosing the board it always chose.
    const std::string_view digits(text, ::strnlen(text, kBoardIndexTextLength));
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end == digits.data() || value < 0 || value > 9999) {
        return 0;
    }
    return value;
}

MapResult MapChip(uint32_t physMemAddr) {
    return MapChosenBoard(ChooseBoard(std::getenv(kBoardVariable)), physMemAddr);
}

MapResult MapChosenBoard(const BoardChoice& choice, uint32_t physMemAddr) {
    if (choice.kind == BoardChoice::Device) {
        return MapLinuxBoard(choice.path, physMemAddr,
                             BoardIndexFromText(std::getenv(kBoardIndexVariable)));
    }
    MapResult result;
    std::string message;
    result.window = sim::OpenBoardFile(choice.path, message, choice.privateFile);
    result.code = result.window ? HAL_OK : HAL_DRIVER_NOT_FOUND;
    return result;
}

} // namespace zlc::hal

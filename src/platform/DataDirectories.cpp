#include "platform/DataDirectories.h"

#include "platform/FileSystem.h"

#include <filesystem>

namespace zlc::platform {

std::vector<std::string> DataDirectories() {
    const std::string program = ProgramDirectory();
    if (program.empty()) {
        return {program};
    }
    // The way from the bin directory to the data directory is fixed when the
    // build is configured; it is relative, so an installation can be moved.
    const std::filesystem::path installed =
        (std::filesystem::path(program) / ZLC_DATA_FROM_PROGRAM).lexically_normal();
    return {program, installed.string()};
}

} // namespace zlc::platform

#include "cli/OutputFile.h"

#include "platform/FileSystem.h"
#include "platform/FileWriter.h"

#include <cerrno>
#include <cstdio>

namespace zlc::cli {

std::string OutputRefusal(const std::string& path) {
    const int error = platform::OutputTargetError(path, platform::LinkAtName::Follow);
    return error == 0 ? std::string() : platform::SystemErrorText(error);
}

bool WritePngOutput(const sim::PanelImage& image, const std::string& output, std::string& message) {
    if (!IsStandardOutput(output)) {
        return sim::WritePng(image, output, message);
    }
    std::vector<uint8_t> png;
    if (!sim::EncodePng(image, png, message)) {
        return false;
    }
    if (std::fwrite(png.data(), 1, png.size(), stdout) != png.size() || std::fflush(stdout) != 0) {
        message = "standard output: " + platform::SystemErrorText(errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}

} // namespace zlc::cli

#include "ui/CommandLineHelp.h"

#include "ui/AppIdentity.h"

#include <string_view>

namespace zlc::ui {

std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv) {
    if (argc != 2) {
        return std::nullopt;
    }
    const std::string_view argument = argv[1];
    if (argument == "--version") {
        return VersionLine() + "\n";
    }
    if (argument != "--help") {
        return std::nullopt;
    }
    return "Usage: " + ProgramName() +
           " [FILE]\n"
           "The ZLC62740 configuration utility: opens a configurable file, shows and changes\n"
           "its configuration on six tab pages with a Diagnostics box checking every change,\n"
           "and writes it back, exports it as C headers, CSV or HTML, or configures many\n"
           "files at once.\n"
           "\n"
           "Options:\n"
           "  FILE            open this configurable file at start, as File > Open does\n"
           "  --help          print this help and exit\n"
           "  --version       print the version and exit\n";
}

} // namespace zlc::ui

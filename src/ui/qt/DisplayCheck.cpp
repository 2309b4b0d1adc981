#include "ui/qt/DisplayCheck.h"

#include "ui/AppIdentity.h"

#include <string_view>

namespace zlc::ui::qt {

namespace {

bool IsSet(const EnvironmentReader& environment, const char* name) {
    const char* value = environment(name);
    return value != nullptr && *value != '\0';
}

std::string FirstChoice(std::string_view platforms) {
    return std::string(platforms.substr(0, platforms.find_first_of(";:")));
}

} // namespace

std::string ChosenPlatform(int argc, char** argv, const EnvironmentReader& environment) {
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform") {
            return FirstChoice(argv[i + 1]);
        }
    }
    const char* variable = environment("QT_QPA_PLATFORM");
    return variable != nullptr ? FirstChoice(variable) : std::string();
}

bool HasGraphicalDisplay(const std::string& platform, const EnvironmentReader& environment) {
    if (platform.empty()) {
        return IsSet(environment, "DISPLAY") || IsSet(environment, "WAYLAND_DISPLAY");
    }
    if (platform == "xcb") {
        return IsSet(environment, "DISPLAY");
    }
    if (platform.starts_with("wayland")) {
        return IsSet(environment, "WAYLAND_DISPLAY");
    }
    return true;
}

std::string NoDisplayMessage() {
    return ProgramName() +
           " needs a graphical display and found none; without one, use the command-line tool: "
           "./run zlc62740 --help";
}

} // namespace zlc::ui::qt

#pragma once

#include <functional>
#include <string>

namespace zlc::ui::qt {

// Reads an environment variable; nullptr when it is not set.
using EnvironmentReader = std::function<const char*(const char* name)>;

// The window-system platform the program will start on: the -platform
// argument, else QT_QPA_PLATFORM, else empty for Qt's default. Only its first
// choice counts, without options ("xcb;offscreen" and "xcb:opt" give "xcb").
std::string ChosenPlatform(int argc, char** argv, const EnvironmentReader& environment);

// Whether the platform has the display it needs: the X11 and Wayland
// platforms (and the default, which is one of them) need one named in the
// environment; the offscreen, minimal and the other platforms need none.
bool HasGraphicalDisplay(const std::string& platform, const EnvironmentReader& environment);

// The one line printed when there is no display.
std::string NoDisplayMessage();

} // namespace zlc::ui::qt

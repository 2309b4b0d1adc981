#pragma once

#include <functional>
#include <string>

namespace zlc::ui {

// The widget toolkit the program was built for and the one it runs on, as
// dotted version numbers ("6.4.2"). The program needs at least the version it
// was built for.
struct ToolkitVersions {
    std::string required;
    std::string running;
};

// Whether the running version is older than the required one, compared
// number by number ("6.10" is newer than "6.9").
bool IsToolkitTooOld(const ToolkitVersions& versions);

// The question asked at start-up on a toolkit that is too old. There is
// nothing the program could install itself; Yes runs it anyway.
std::string ToolkitQuestion(const ToolkitVersions& versions);

// What Help > Update Common Controls tells: the version in use and how the
// system's package manager brings it up to date.
std::string ToolkitUpdateAdvice(const ToolkitVersions& versions);

// The check before any window exists: true when the program may go on, that
// is when the toolkit is recent enough or the user answers Yes. `askYesNo`
// shows the question with No as the default answer.
bool StartupToolkitCheck(const ToolkitVersions& versions,
                         const std::function<bool(const std::string&)>& askYesNo);

} // namespace zlc::ui

#pragma once

#include <functional>
#include <string>
#include <vector>

// Showing a file to the user with a program of the desktop.
namespace zlc::platform {

enum class OpenWith {
    TextEditor,        // the user's editor ($VISUAL, then $EDITOR), else the desktop's choice
    AssociatedProgram, // whatever the desktop associates with the file's type
};

// Starts a program that shows `path` and returns whether it could be started.
// It does not wait for the program. Tests put in one that fails or records.
using Opener = std::function<bool(const std::string& path, OpenWith how)>;

// The command line that shows `path`: the editor named by `visual` or, when
// that is unset or blank, by `editor` (split at blanks, so "code --wait"
// works), else the desktop opener xdg-open.
std::vector<std::string> OpenerCommand(const std::string& path, OpenWith how, const char* visual,
                                       const char* editor);

// Starts a command in the background, detached from this process, with its
// standard streams on /dev/null. False when the program cannot be found or
// started.
bool StartDetached(const std::vector<std::string>& command);

// The opener of the running desktop: OpenerCommand with the environment's
// VISUAL and EDITOR, started with StartDetached.
bool OpenWithDesktop(const std::string& path, OpenWith how);

} // namespace zlc::platform

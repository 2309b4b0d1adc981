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

// Whether a program was started, and if not, why not in a sentence.
struct StartResult {
    bool ok = false;
    std::string reason;
};

// Starts a command in the background, detached from this process, with its
// standard streams on /dev/null. It fails when the program cannot be found
// or started, or when it ends with a non-zero status within `waitMs`: an
// opener that finds no program for a file says so by its status at once. A
// program still running then counts as started and is left to itself.
StartResult StartDetached(const std::vector<std::string>& command, int waitMs = 2000);

// The opener of the running desktop: OpenerCommand with the environment's
// VISUAL and EDITOR, started with StartDetached.
StartResult OpenWithDesktop(const std::string& path, OpenWith how);

} // namespace zlc::platform

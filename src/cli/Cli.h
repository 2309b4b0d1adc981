#pragma once

#include "files/ConfigFile.h"
#include "model/ConfigDocument.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace zlc::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The options that build the one document a command works on, applied in
// the order of the fields.
struct DocumentOptions {
    std::string inFile;
    std::string panelsDir; // where DEBUG.DEF / PANELS.DEF are read; empty: the program's
    std::optional<std::string> panelName; // a predefined panel to apply
    std::string settingsFile;             // settings to apply after the panel; empty: none
    std::vector<std::string> assignments; // NAME=VALUE, in the order given
    // The files the command saves in place: when one is the --in file, the
    // file stays locked from the load to the save.
    std::vector<std::string> savedFiles;
    // How long a save waits for another program's lock (--wait).
    unsigned waitSeconds = 30;
};

// What one run of the tool parsed: how to build the document and which
// command to run on it. A command returns the exit status.
struct Invocation {
    DocumentOptions document;
    std::function<int(ConfigDocument&)> command;
    // What every save of the command relies on: the lock wait, and the --in
    // file as it was loaded when the command saves that file.
    SaveConditions saving;
};

// Each group of commands registers its subcommands; a subcommand's callback
// stores its action in the invocation, which runs once the document is built.
void AddInspectCommands(CLI::App& app, Invocation& invocation);
void AddModelCommands(CLI::App& app, Invocation& invocation);
void AddFileCommands(CLI::App& app, Invocation& invocation);
void AddViewCommands(CLI::App& app, Invocation& invocation);
void AddExportCommands(CLI::App& app, Invocation& invocation);
void AddPanelCommands(CLI::App& app, Invocation& invocation);
void AddDiffCommand(CLI::App& app, Invocation& invocation);
void AddPreviewCommand(CLI::App& app, Invocation& invocation);
// Hidden: what the shells' completion scripts ask the tool.
void AddCompletionCommand(CLI::App& app, Invocation& invocation);
void AddApplyCommand(CLI::App& app, Invocation& invocation);
void AddTimingCommand(CLI::App& app, Invocation& invocation);

} // namespace zlc::cli

// Feeds arbitrary typed lines to the completion of zlc62740's commands.
#include "cli/Cli.h"
#include "cli/Completion.h"

#include <CLI/CLI.hpp>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zlc::cli::Invocation invocation;
    static CLI::App* app = [] {
        auto* commands = new CLI::App("fuzz", "zlc62740");
        zlc::cli::AddInspectCommands(*commands, invocation);
        zlc::cli::AddModelCommands(*commands, invocation);
        zlc::cli::AddExportCommands(*commands, invocation);
        zlc::cli::AddPreviewCommand(*commands, invocation);
        zlc::cli::AddCompletionCommand(*commands, invocation);
        return commands;
    }();
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    (void)zlc::cli::SplitTypedLine(line);
    (void)zlc::cli::CompleteLine(*app, line);
    return 0;
}

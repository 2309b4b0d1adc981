#include "base/BuildInfo.h"
#include "base/Format.h"
#include "cli/Cli.h"
#include "cli/DocumentBuilder.h"
#include "cli/FileNames.h"
#include "cli/PlainDecimal.h"
#include "cli/StandardOutput.h"
#include "platform/FileLock.h"

#include <CLI/CLI.hpp>

namespace {

void AddDocumentOptions(CLI::App& app, zlc::cli::DocumentOptions& options) {
    app.add_option("--in", options.inFile, "Load the configuration block of a configurable file")
        ->option_text("FILE")
        ->check(zlc::cli::NonEmptyFileName());
    app.add_option("--panels-dir", options.panelsDir,
                   "Read DEBUG.DEF / PANELS.DEF from DIR instead of the program's directory")
        ->option_text("DIR")
        ->check(CLI::ExistingDirectory);
    app.add_option("--panel", options.panelName,
                   "Apply a predefined panel by name, as choosing it on the Panel page does")
        ->option_text("NAME");
    app.add_option("--settings", options.settingsFile,
                   "Apply the settings of FILE (the JSON of show --json, or NAME=VALUE lines) "
                   "after --panel and before --set")
        ->option_text("FILE")
        ->check(zlc::cli::NonEmptyFileName());
    app.add_option("--set", options.assignments,
                   "Set a setting (long name, short name, id or REG[XXh]) to a number or value "
                   "name; repeatable, applied in order")
        ->option_text("NAME=VALUE")
        ->take_all();
    app.add_option("--wait", options.waitSeconds,
                   "How long a save waits for another program to release the file (default 30)")
        ->option_text("SECONDS")
        ->check(zlc::cli::PlainDecimal());
}

} // namespace

int main(int argc, char** argv) {
    using namespace zlc::cli;
    CLI::App app{"Reads, edits and checks ZLC62740 configuration blocks.", "zlc62740"};
    app.set_version_flag(
        "--version", zlc::Format("zlc62740 %s (Build %u)", zlc::ProductVersion, zlc::BuildNumber));
    app.require_subcommand(1);

    Invocation invocation;
    AddDocumentOptions(app, invocation.document);
    AddInspectCommands(app, invocation);
    AddModelCommands(app, invocation);
    AddFileCommands(app, invocation);
    AddViewCommands(app, invocation);
    AddExportCommands(app, invocation);
    AddPanelCommands(app, invocation);
    AddDiffCommand(app, invocation);
    AddPreviewCommand(app, invocation);
    AddCompletionCommand(app, invocation);
    AddApplyCommand(app, invocation);
    AddTimingCommand(app, invocation);

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& success) {
        return FinishStandardOutput(app.exit(success));
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return kExitUsage;
    }

    zlc::ConfigDocument doc;
    zlc::platform::FileLock heldUntilExit;
    if (const int status =
            BuildDocument(invocation.document, doc, heldUntilExit, invocation.saving);
        status != kExitOk) {
        return status;
    }
    return FinishStandardOutput(invocation.command ? invocation.command(doc) : kExitUsage);
}

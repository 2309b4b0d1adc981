#include "cli/Cli.h"
#include "cli/FileNames.h"
#include "files/ConfigFile.h"
#include "files/ConfigureMultiple.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>

namespace zlc::cli {

namespace {

constexpr const char* kSavedFormat = "Configuration data saved in file \"%s\".\n";

struct SaveOptions {
    std::string file;
    std::optional<std::string> as;
    bool preservePhysicalAddress = false;
};

int Save(const ConfigDocument& doc, const SaveOptions& options, const SaveConditions& conditions) {
    const std::optional<std::string>& target = options.as;
    const FileOutcome outcome =
        SaveConfigFile(doc, options.file, target, options.preservePhysicalAddress, conditions);
    if (!outcome.notice.empty()) {
        std::fprintf(stderr, "%s\n", outcome.notice.c_str());
    }
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
        return kExitFailed;
    }
    std::printf(kSavedFormat, target.value_or(options.file).c_str());
    return kExitOk;
}

struct ConfigureOptions {
    std::vector<std::string> files;
    bool preservePhysicalAddresses = false;
};

// Each failure's own message goes to stderr as it happens; the summary, with
// a line for every file, goes to stdout.
int Configure(const ConfigDocument& doc, const ConfigureOptions& options,
              const SaveConditions& conditions) {
    const ConfigureResult result = ConfigureFiles(
        doc, options.files, options.preservePhysicalAddresses,
        [](const FileOutcome& outcome) { std::fprintf(stderr, "%s\n", outcome.message.c_str()); },
        {}, conditions);
    if (!result.configured) {
        std::fprintf(stderr, "%s\n", result.summary.c_str());
        return kExitUsage;
    }
    std::fputs(result.summary.c_str(), stdout);
    return result.failures == 0 ? kExitOk : kExitFailed;
}

} // namespace

void AddFileCommands(CLI::App& app, Invocation& invocation) {
    auto save = std::make_shared<SaveOptions>();
    auto* saveCommand =
        app.add_subcommand("save", "Write the configuration into a configurable file");
    saveCommand->add_option("FILE", save->file, "The file to save in place, or to copy from")
        ->required()
        ->check(NonEmptyFileName());
    saveCommand->add_option("--as", save->as, "Save into a copy of FILE under this name")
        ->option_text("NEWFILE")
        ->check(NonEmptyFileName());
    saveCommand->add_flag("--preserve-physical-address", save->preservePhysicalAddress,
                          "Keep the file's own display buffer address");
    saveCommand->callback([&invocation, save] {
        invocation.document.savedFiles = {save->file};
        invocation.command = [&invocation, save](ConfigDocument& doc) {
            return Save(doc, *save, invocation.saving);
        };
    });

    auto configure = std::make_shared<ConfigureOptions>();
    auto* configureCommand = app.add_subcommand(
        "configure", "Write the configuration into every file in place, then print a summary");
    configureCommand->add_option("FILE", configure->files, "The files to configure")
        ->required()
        ->check(NonEmptyFileName());
    configureCommand->add_flag("--preserve-physical-addresses",
                               configure->preservePhysicalAddresses,
                               "Every file keeps its own display buffer address");
    configureCommand->callback([&invocation, configure] {
        invocation.document.savedFiles = configure->files;
        invocation.command = [&invocation, configure](ConfigDocument& doc) {
            return Configure(doc, *configure, invocation.saving);
        };
    });
}

} // namespace zlc::cli

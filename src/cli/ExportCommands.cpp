#include "base/BuildInfo.h"
#include "cli/Cli.h"
#include "cli/FileNames.h"
#include "cli/OutputFile.h"
#include "cli/PlainDecimal.h"
#include "export/Export.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>

namespace zlc::cli {

namespace {

// The names a target is given on the command line, in target order; its
// number is accepted as well.
constexpr const char* kTargetNames[kExportTargetCount] = {"appcfg.h", "chip.h", "mode",
                                                          "driver",   "csv",    "html"};

int TargetNumber(const std::string& name) {
    for (int i = 0; i < kExportTargetCount; ++i) {
        if (name == kTargetNames[i] || name == std::to_string(i)) {
            return i;
        }
    }
    return -1;
}

struct ExportOptions {
    std::string target;
    std::string output;
    std::optional<unsigned> mode;
};

int Export(const ConfigDocument& doc, const ExportOptions& options) {
    const int target = TargetNumber(options.target);
    if (options.mode && target != ExportTargetNumber::WinCeHeader) {
        std::fprintf(stderr, "zlc62740: --mode applies to the WinCE header (mode) only\n");
        return kExitUsage;
    }
    const unsigned mode = options.mode.value_or(0);
    if (IsStandardOutput(options.output)) {
        // Standard output is a stream, not a file: it gets the text with the
        // line ends of this system.
        const std::string text = GenerateExport(doc, target, BuildNumber, mode);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
    }
    const std::string path =
        options.output.empty() ? ExportDefaultName(target, mode) : options.output;
    // A name the writer would refuse is refused here first, so that the
    // message can say why.
    if (const std::string reason = OutputRefusal(path); !reason.empty()) {
        std::fprintf(stderr, "zlc62740: %s: %s\n", path.c_str(), reason.c_str());
        return kExitFailed;
    }
    const ExportResult result = ExportTarget(doc, target, path, mode, nullptr);
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", result.message.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

void AddExportCommands(CLI::App& app, Invocation& invocation) {
    auto options = std::make_shared<ExportOptions>();
    auto* command = app.add_subcommand(
        "export", "Write one of the six generated files (C headers, CSV, HTML reference)");
    std::vector<std::string> accepted(std::begin(kTargetNames), std::end(kTargetNames));
    for (int i = 0; i < kExportTargetCount; ++i) {
        accepted.push_back(std::to_string(i));
    }
    command
        ->add_option("TARGET", options->target,
                     "appcfg.h, chip.h, mode (WinCE), driver (zlc62740.h), csv, html, or 0-5")
        ->required()
        ->check(CLI::IsMember(accepted));
    command
        ->add_option("-o,--output", options->output,
                     "Write here instead of the target's default file name; - for standard output")
        ->option_text("PATH|-")
        ->check(NonEmptyFileName());
    command->add_option("--mode", options->mode, "WinCE mode number (default 0)")
        ->option_text("N")
        ->check(PlainDecimal())
        ->check(CLI::Range(0u, kMaxWinCeModeNumber));
    command->callback([&invocation, options] {
        invocation.command = [options](ConfigDocument& doc) { return Export(doc, *options); };
    });
}

} // namespace zlc::cli

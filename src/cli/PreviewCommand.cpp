#include "cli/Cli.h"
#include "cli/FileNames.h"
#include "cli/OutputFile.h"
#include "cli/PlainDecimal.h"
#include "preview/PanelPreview.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

namespace zlc::cli {

namespace {

struct PreviewCommandOptions {
    std::string output = "panel.png";
    int depth = 0;
    std::string pattern = "squares";
};

int Preview(const ConfigDocument& doc, const PreviewCommandOptions& options) {
    preview::PreviewOptions request;
    request.depth = options.depth;
    request.pattern = preview::PatternFromName(options.pattern).value_or(preview::Pattern::Squares);
    const preview::PanelPreview picture = preview::MakePanelPreview(doc.block, request);
    std::string message = picture.message;
    if (!picture.ok || !WritePngOutput(picture.image, options.output, message)) {
        std::fprintf(stderr, "zlc62740: preview: %s\n", message.c_str());
        return kExitFailed;
    }
    // With the picture on standard output, the description goes to stderr.
    std::FILE* report = IsStandardOutput(options.output) ? stderr : stdout;
    std::fprintf(report, "%s: %s\n%s\n", options.output.c_str(),
                 preview::DescribeGeometry(picture).c_str(),
                 preview::DescribeProgramming(picture).c_str());
    return kExitOk;
}

} // namespace

void AddPreviewCommand(CLI::App& app, Invocation& invocation) {
    auto options = std::make_shared<PreviewCommandOptions>();
    auto* preview = app.add_subcommand(
        "preview", "Program a simulated board from the configuration through the HAL, draw a "
                   "test pattern and write what the panel shows into a PNG picture");
    preview
        ->add_option("-o,--output", options->output, "The PNG file to write; - for standard output")
        ->option_text("PNG|- (default: panel.png)")
        ->check(NonEmptyFileName());
    preview->add_option("--depth", options->depth, "Bits per pixel (default: the configuration's)")
        ->check(PlainDecimal())
        ->check(CLI::IsMember({1, 2, 4, 8}))
        ->option_text("1|2|4|8");
    preview->add_option("--pattern", options->pattern, "The test pattern (default: squares)")
        ->check(CLI::IsMember({"squares", "bars"}))
        ->option_text("squares|bars");
    preview->callback([&invocation, options] {
        invocation.command = [options](ConfigDocument& doc) { return Preview(doc, *options); };
    });
}

} // namespace zlc::cli

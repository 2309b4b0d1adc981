#include "cli/Cli.h"
#include "cli/FileNames.h"
#include "timing/DrawingOutput.h"
#include "timing/TimingDrawing.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

namespace zlc::cli {

namespace {

int Timing(const ConfigDocument& doc, const std::string& output) {
    const timing::PanelTiming panelTiming = timing::TimingOf(doc);
    std::string message;
    if (!timing::WriteDrawing(timing::DrawTiming(panelTiming), output, message)) {
        std::fprintf(stderr, "zlc62740: timing: %s\n", message.c_str());
        return kExitFailed;
    }
    std::printf("%s: %s\n", output.c_str(), timing::DescribeTiming(panelTiming).c_str());
    return kExitOk;
}

} // namespace

void AddTimingCommand(CLI::App& app, Invocation& invocation) {
    auto output = std::make_shared<std::string>("timing.png");
    auto* timingCommand = app.add_subcommand(
        "timing", "Draw one line and one frame of the panel timing to scale, with the length of "
                  "every period, into a PNG or SVG picture");
    timingCommand->add_option("-o,--output", *output, "The picture to write, by its extension")
        ->option_text("FILE.png|FILE.svg (default: timing.png)")
        ->check(NonEmptyFileName())
        ->check(CLI::Validator(
            [](std::string& name) {
                return timing::IsDrawingFileName(name)
                           ? std::string()
                           : std::string("the picture's name must end in .png or .svg");
            },
            "", "PictureName"));
    timingCommand->callback([&invocation, output] {
        invocation.command = [output](ConfigDocument& doc) { return Timing(doc, *output); };
    });
}

} // namespace zlc::cli

#include "cli/Cli.h"
#include "hal/sim/PanelRenderer.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

namespace zlc::cli {

namespace {

struct ViewOptions {
    std::string boardFile;
    std::string output = "panel.png";
};

int View(const ViewOptions& options) {
    std::vector<uint8_t> board;
    std::string message;
    sim::PanelImage image;
    if (!sim::ReadBoardFile(options.boardFile, board, message) ||
        !sim::RenderPanel(board, image, message) ||
        !sim::WritePng(image, options.output, message)) {
        std::fprintf(stderr, "zlc62740: %s\n", message.c_str());
        return kExitFailed;
    }
    const sim::PanelGeometry geometry = sim::DescribePanel(board);
    std::printf("%s: %d x %d, %d bpp, %s, %s\n", options.output.c_str(), image.width, image.height,
                geometry.bitsPerPixel, geometry.color ? "color" : "mono",
                geometry.pivotScan ? "PivotScan" : "landscape");
    return kExitOk;
}

} // namespace

void AddViewCommands(CLI::App& app, Invocation& invocation) {
    auto options = std::make_shared<ViewOptions>();
    auto* view = app.add_subcommand(
        "view", "Render what the panel of a simulated board shows into a PNG picture");
    view->add_option("BOARDFILE", options->boardFile, "The simulated board's file")->required();
    view->add_option("-o,--output", options->output, "The PNG file to write")
        ->option_text("PNG (default: panel.png)");
    view->callback([&invocation, options] {
        // The board is the whole input; the document plays no part.
        invocation.command = [options](ConfigDocument&) { return View(*options); };
    });
}

} // namespace zlc::cli

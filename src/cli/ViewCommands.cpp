#include "cli/Cli.h"
#include "cli/FileNames.h"
#include "cli/OutputFile.h"
#include "hal/sim/PanelRenderer.h"
#include "hal/sim/SimulatedBoard.h"
#include "platform/FileSystem.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace zlc::cli {

namespace {

struct ViewOptions {
    std::string boardFile;
    std::string output = "panel.png";
};

// Reads a board file. Anything but a regular file is refused at once: a FIFO
// or a device would keep the command waiting.
bool ReadBoard(const std::string& path, std::vector<uint8_t>& board, std::string& message) {
    int error = 0;
    const platform::File file = platform::File::OpenForReading(path, error);
    struct stat status {};
    if (!file.IsOpen() || !file.Status(status, error)) {
        message = path + ": " + platform::SystemErrorText(error);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        message = path + ": not a simulated board file";
        return false;
    }
    // One byte past a board's size is enough to tell a longer file apart.
    board.resize(std::min<size_t>(static_cast<size_t>(status.st_size), sim::kBoardFileSize + 1));
    if (!file.ReadAt(0, board, error)) {
        message = path + ": " + platform::SystemErrorText(error);
        return false;
    }
    if (!sim::IsBoardImage(board, message)) {
        message = path + ": " + message;
        return false;
    }
    return true;
}

int View(const ViewOptions& options) {
    std::vector<uint8_t> board;
    std::string message;
    sim::PanelImage image;
    if (!ReadBoard(options.boardFile, board, message) || !sim::RenderPanel(board, image, message) ||
        !WritePngOutput(image, options.output, message)) {
        std::fprintf(stderr, "zlc62740: %s\n", message.c_str());
        return kExitFailed;
    }
    const sim::PanelGeometry geometry = sim::DescribePanel(board);
    std::FILE* report = IsStandardOutput(options.output) ? stderr : stdout;
    std::fprintf(report, "%s: %d x %d, %d bpp, %s, %s\n", options.output.c_str(), image.width,
                 image.height, geometry.bitsPerPixel, geometry.color ? "color" : "mono",
                 geometry.pivotScan ? "PivotScan" : "landscape");
    return kExitOk;
}

} // namespace

void AddViewCommands(CLI::App& app, Invocation& invocation) {
    auto options = std::make_shared<ViewOptions>();
    auto* view = app.add_subcommand(
        "view", "Render what the panel of a simulated board shows into a PNG picture");
    view->add_option("BOARDFILE", options->boardFile, "The simulated board's file")
        ->required()
        ->check(NonEmptyFileName());
    view->add_option("-o,--output", options->output, "The PNG file to write; - for standard output")
        ->option_text("PNG|- (default: panel.png)")
        ->check(NonEmptyFileName());
    view->callback([&invocation, options] {
        // The board is the whole input; the document plays no part.
        invocation.command = [options](ConfigDocument&) { return View(*options); };
    });
}

} // namespace zlc::cli

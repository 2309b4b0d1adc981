#include "board/BoardAccess.h"
#include "cli/Cli.h"
#include "cli/FileNames.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

namespace zlc::cli {

namespace {

int Apply(const ConfigDocument& doc, const board::BoardTarget& target) {
    const board::ApplyResult result = board::ApplyToBoard(doc.block, target);
    if (!result.ok) {
        std::fprintf(stderr, "zlc62740: apply: %s\n", result.message.c_str());
        return kExitFailed;
    }
    std::printf("%s: %s\n%s\n", target.Name().c_str(),
                preview::DescribeGeometry(result.report).c_str(),
                preview::DescribeProgramming(result.report).c_str());
    return kExitOk;
}

} // namespace

void AddApplyCommand(CLI::App& app, Invocation& invocation) {
    auto target = std::make_shared<board::BoardTarget>();
    auto* apply = app.add_subcommand(
        "apply", "Program the board from the configuration through the HAL, as 62740VIRT starts, "
                 "and draw its test pattern; print the frame rate and the registers the HAL "
                 "wrote differently");
    apply
        ->add_option("--board", target->simulatedFile,
                     "A simulated board's file (default: the board ZLC62740_BOARD chooses)")
        ->option_text("PATH")
        ->check(NonEmptyFileName());
    apply->callback([&invocation, target] {
        invocation.command = [target](ConfigDocument& doc) { return Apply(doc, *target); };
    });
}

} // namespace zlc::cli

#include "export/Export.h"
#include "export/ExportCase.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zlc {
namespace {

test::RunResult Zlc(const std::vector<std::string>& args) {
    return test::RunProgram("zlc62740", args);
}

TEST(ExportCli, WritesTheTargetWithCrLfOrPrintsItToStandardOutput) {
    const test::TempDir dir;
    const auto exportCase = test::FindExportCase("pivotscan");
    std::vector<std::string> args;
    for (const std::string& setting : exportCase.Settings()) {
        args.insert(args.end(), {"--set", setting});
    }
    // Without -o the file goes under its default name into the working directory.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    auto written = args;
    written.insert(written.end(), {"export", "driver"});
    const auto result = Zlc(written);
    std::filesystem::current_path(previous);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(test::ReadText(dir / "zlc62740.h"), ToCrLf(exportCase.Expected("zlc62740.h")));

    args.insert(args.end(), {"export", "2", "--mode", "7", "-o", "-"});
    const auto printed = Zlc(args);
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out, exportCase.Expected("mode7.h"));
}

TEST(ExportCli, UsageErrorsAndFailures) {
    const auto usage = Zlc({"export", "mode", "--mode", "1001", "-o", "-"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    const auto failed = Zlc({"export", "chip.h", "-o", "/nonexistent/dir/chip.h"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Failed to create file /nonexistent/dir/chip.h\n");
}

} // namespace
} // namespace zlc

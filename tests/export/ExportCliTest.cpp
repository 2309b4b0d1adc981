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

// The --set options that make a case's configuration.
std::vector<std::string> SetOptions(const test::ExportCase& exportCase) {
    std::vector<std::string> args;
    for (const std::string& setting : exportCase.Settings()) {
        args.push_back("--set");
        args.push_back(setting);
    }
    return args;
}

TEST(ExportCli, WritesTheTargetWithCrLfOrPrintsItToStandardOutput) {
    const test::TempDir dir;
    const auto exportCase = test::FindExportCase("pivotscan");
    auto args = SetOptions(exportCase);
    args.insert(args.end(), {"export", "driver", "-o", dir / "out.h"});
    const auto written = Zlc(args);
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(test::ReadText(dir / "out.h"), ToCrLf(exportCase.Expected("zlc62740.h")));

    args = SetOptions(exportCase);
    args.insert(args.end(), {"export", "2", "--mode", "7", "-o", "-"});
    const auto printed = Zlc(args);
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out, exportCase.Expected("mode7.h"));
}

TEST(ExportCli, WritesUnderTheDefaultFileNameInTheWorkingDirectory) {
    const test::TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const auto mode = Zlc({"export", "mode", "--mode", "1000"});
    const auto csv = Zlc({"export", "csv"});
    const auto html = Zlc({"export", "html"});
    std::filesystem::current_path(previous);
    EXPECT_EQ(mode.status, 0) << mode.err;
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(html.status, 0) << html.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "mode1000.h"));
    EXPECT_EQ(test::ReadText(dir / "zlc62740.csv"),
              ToCrLf(test::FindExportCase("default").Expected("zlc62740.csv")));
    EXPECT_TRUE(std::filesystem::exists(dir / "zlc62740.html"));
}

TEST(ExportCli, UsageErrorsAndFailures) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", "pdf", "-o", "-"},
          {"export", "6", "-o", "-"},
          {"export"},
          {"export", "mode", "--mode", "1001", "-o", "-"},
          {"export", "mode", "--mode", "-1", "-o", "-"},
          {"export", "csv", "--mode", "3", "-o", "-"}}) {
        const auto result = Zlc(args);
        EXPECT_EQ(result.status, 2) << args[1];
        EXPECT_EQ(result.out, "");
    }
    const auto failed = Zlc({"export", "chip.h", "-o", "/nonexistent/dir/chip.h"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Failed to create file /nonexistent/dir/chip.h\n");
}

} // namespace
} // namespace zlc

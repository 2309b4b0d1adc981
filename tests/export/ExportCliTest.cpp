#include "export/Export.h"
#include "export/ExportCase.h"
#include "support/Process.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::Zlc;

TEST(ExportCli, WritesTheTargetWithCrLfOrPrintsItToStandardOutput) {
    const test::TempDir dir;
    const auto exportCase = test::FindExportCase("pivotscan");
    std::string settings;
    for (const std::string& setting : exportCase.Settings()) {
        settings += " --set " + test::Quote(setting);
    }
    // Without -o the file goes under its default name into the working directory.
    const std::string zlc = test::Quote(std::string(ZLC_BIN_DIR) + "/zlc62740") + settings;
    const auto result =
        test::Shell("cd " + test::Quote(dir.path()) + " && " + zlc + " export driver");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(test::ReadText(dir / "zlc62740.h"), ToCrLf(exportCase.Expected("zlc62740.h")));

    const auto printed = test::Shell(zlc + " export 2 --mode 7 -o -");
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

#include "cases/CaseFile.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace zlc::test {
namespace {

class PanelCli : public ::testing::TestWithParam<Case> {};

TEST_P(PanelCli, ReadsThePanelFilesAndAppliesPanels) {
    const Case& c = GetParam();
    const TempDir dir;
    std::vector<std::string> args;
    if (c.Has("panels-def") || c.Has("debug-def")) {
        args = {"--panels-dir", dir.path()};
        WriteFile(dir / "PANELS.DEF", c.Or("panels-def", ""));
        if (c.Has("debug-def")) {
            WriteFile(dir / "DEBUG.DEF", ReadText(std::string(ZLC_BIN_DIR) + "/PANELS.DEF"));
        }
    }
    for (const std::string& word : Split(c["args"], '|')) {
        args.push_back(word);
    }
    const RunResult run = Zlc(args);
    EXPECT_EQ(run.status, c.Number("status")) << run.err;
    ExpectOutput(c, run.out);
    EXPECT_EQ(run.err, c.Or("err", run.err));
}

ZLC_CASES(PanelCli, "panels/cli.txt");

} // namespace
} // namespace zlc::test

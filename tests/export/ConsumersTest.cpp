// The generated headers and the page read by the programs they are made for:
// a C compiler and a web browser.
#include "base/Format.h"
#include "export/Export.h"
#include "export/ExportCase.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::Quote;
using test::TempDir;

// Writes `target` as the export does (CR LF line ends included) into `dir`
// with the programs of tests/data/export/programs named in `sources`, then
// compiles them all with `flags` and returns what the program prints.
std::string CompileAndRun(const TempDir& dir, const ConfigDocument& doc, int target,
                          const std::string& sources, const std::string& flags) {
    const ExportResult exported =
        ExportTarget(doc, target, dir / ExportDefaultName(target, 0), 0, nullptr);
    EXPECT_TRUE(exported.ok) << exported.message;
    const auto build = test::Shell(
        "cd " + Quote(std::string(ZLC_TEST_DATA_DIR) + "/export/programs") + " && gcc -std=c99 -I" +
        Quote(dir.path()) + " " + flags + " " + sources + " -o " + Quote(dir / "program"));
    EXPECT_EQ(build.status, 0) << build.err;
    return test::Shell(Quote(dir / "program")).out;
}

// The register bytes are one flat run of initialisers, eight to a line, so the
// compiler's wish for inner braces is switched off.
TEST(Consumers, AppCfgInitialisesTheHalStructWithTheConfiguration) {
    for (const test::ExportCase& exportCase : test::ExportCases()) {
        const TempDir dir;
        const ConfigDocument doc = exportCase.Document();
        std::string expected;
        for (size_t i = 0; i < sizeof doc.block; ++i) {
            AppendFormat(expected, "%02X", reinterpret_cast<const uint8_t*>(&doc.block)[i]);
        }
        EXPECT_EQ(CompileAndRun(dir, doc, ExportTargetNumber::AppCfg, "appcfg_main.c",
                                "-Wall -Werror -Wno-missing-braces"),
                  expected)
            << exportCase.name;
    }
}

// Each header serves two files of one program, which must link. A file that
// includes the generic header only for its macros leaves the table unused;
// that warning is the includer's to silence.
TEST(Consumers, ChipHeaderAndGenericHeaderBuildCleanly) {
    const TempDir chipDir;
    EXPECT_EQ(CompileAndRun(chipDir, ConfigDocument(), ExportTargetNumber::ChipHeader,
                            "chip_main.c chip_other.c", "-Wall -Wextra -Werror"),
              "0 16 23 31\n");

    const TempDir dir;
    const ConfigDocument doc = test::FindExportCase("clki_frame_rate").Document();
    std::string expected = "9 48 48 48|25175000 200000|";
    for (unsigned i = 0; i < 32; ++i) {
        const unsigned value = i == 0x1F ? 0x5Au : doc.GetRegister(static_cast<int>(i));
        AppendFormat(expected, "%02X%02X", i, value);
    }
    EXPECT_EQ(CompileAndRun(dir, doc, ExportTargetNumber::GenericHeader,
                            "generic_main.c generic_other.c",
                            "-Wall -Wextra -Werror -Wno-unused-variable"),
              expected);
}

TEST(Consumers, HtmlReferenceRendersInABrowser) {
    if (!test::HaveTool("chromium")) {
        GTEST_SKIP() << "chromium is not installed (scripts/packages.txt lists it)";
    }
    const TempDir dir;
    ASSERT_TRUE(
        ExportTarget(ConfigDocument(), ExportTargetNumber::Html, dir / "zlc62740.html", 0, nullptr)
            .ok);
    const auto browser = test::Shell(
        "timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run "
        "--disable-background-networking --disable-component-update --disable-sync "
        "--user-data-dir=" +
        Quote(dir / "profile") + " --dump-dom " + Quote("file://" + (dir / "zlc62740.html")));
    ASSERT_EQ(browser.status, 0) << browser.err;
    const std::string& dom = browser.out;
    size_t headings = 0;
    for (size_t at = 0; (at = dom.find("<b>REG[", at)) != std::string::npos; ++at) {
        ++headings;
    }
    EXPECT_EQ(headings, 27u);
}

} // namespace
} // namespace zlc

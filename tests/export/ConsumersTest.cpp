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

// Writes `target` as the export does (CR LF line ends included) and the C
// sources given as name/text pairs into `dir`, then compiles them all with
// `flags` and returns what the program prints.
std::string CompileAndRun(const TempDir& dir, const ConfigDocument& doc, int target,
                          const std::vector<std::pair<std::string, std::string>>& sources,
                          const std::string& flags) {
    const ExportResult exported =
        ExportTarget(doc, target, dir / ExportDefaultName(target, 0), 0, nullptr);
    EXPECT_TRUE(exported.ok) << exported.message;
    std::string names;
    for (const auto& [name, text] : sources) {
        test::WriteFile(dir / name, text);
        names += " " + name;
    }
    const auto build = test::Shell("cd " + Quote(dir.path()) + " && gcc -std=c99 " + flags + names +
                                   " -o program");
    EXPECT_EQ(build.status, 0) << build.err;
    return test::Shell(Quote(dir / "program")).out;
}

TEST(Consumers, AppCfgInitialisesTheHalStructWithTheConfiguration) {
    // The HAL's record as a C program declares it, printed byte by byte.
    const std::string program = R"(#include <stdint.h>
#include <stdio.h>
typedef struct __attribute__((packed)) {
    char idString[16];
    uint16_t endianDetect, structSize;
    uint8_t regs[32];
    uint32_t clkiKHz, physMemAddr, physRegAddr;
    uint16_t frameRate;
    uint8_t padding[2];
} HAL_STRUCT;
#include "appcfg.h"
int main(void) {
    for (unsigned i = 0; i < sizeof HalInfo; ++i) printf("%02X", ((unsigned char*)&HalInfo)[i]);
})";
    for (const test::ExportCase& exportCase : test::ExportCases()) {
        const TempDir dir;
        const ConfigDocument doc = exportCase.Document();
        std::string expected;
        for (size_t i = 0; i < sizeof doc.block; ++i) {
            AppendFormat(expected, "%02X", reinterpret_cast<const uint8_t*>(&doc.block)[i]);
        }
        // The register bytes are one flat run of initialisers, eight to a
        // line, so the compiler's wish for inner braces is switched off.
        EXPECT_EQ(CompileAndRun(dir, doc, ExportTargetNumber::AppCfg, {{"main.c", program}},
                                "-Wall -Werror -Wno-missing-braces"),
                  expected)
            << exportCase.name;
    }
}

// Each header serves two files of one program, which must link.
TEST(Consumers, ChipHeaderAndGenericHeaderBuildCleanly) {
    const TempDir chipDir;
    const std::string chipMain = R"(#include <stdio.h>
#include "chip.h"
int LutRegister(void) { return LutData; }
int main(void) {
    eReg last = TestMode;
    printf("%d %d %d %d\n", RevisionCode, ScrnStartAddr, LutRegister(), (int)last);
})";
    EXPECT_EQ(CompileAndRun(chipDir, ConfigDocument(), ExportTargetNumber::ChipHeader,
                            {{"main.c", chipMain}, {"other.c", "#include \"chip.h\"\n"}},
                            "-Wall -Wextra -Werror"),
              "0 16 23 31\n");

    const TempDir dir;
    const ConfigDocument doc = test::FindExportCase("clki-frame-rate").Document();
    const std::string main = R"(#include <stdio.h>
#include "zlc62740.h"
int main(void) {
    unsigned char chip[32] = {0}, r = 0, g = 0, b = 0;
    unsigned i;
    ZLC_WRITE_PALETTE(chip, 7, 0x10, 0x20, 0x30);
    ZLC_READ_PALETTE(chip, 9, r, g, b);
    aZLCRegs[0x1F].Value = 0x5A; /* a driver adjusts its copy before programming */
    printf("%u %u %u %u|%ld %lX|", chip[0x15], r, g, b, ZLC_DISPLAY_PCLK, ZLC_PHYSICAL_VMEM_ADDR);
    for (i = 0; i < sizeof aZLCRegs / sizeof aZLCRegs[0]; ++i)
        printf("%02X%02X", aZLCRegs[i].Index, aZLCRegs[i].Value);
})";
    std::string expected = "9 48 48 48|25175000 200000|";
    for (unsigned i = 0; i < 32; ++i) {
        const unsigned value = i == 0x1F ? 0x5Au : doc.GetRegister(static_cast<int>(i));
        AppendFormat(expected, "%02X%02X", i, value);
    }
    // A file that includes the header only for its macros leaves the table
    // unused; that warning is the includer's to silence.
    EXPECT_EQ(CompileAndRun(dir, doc, ExportTargetNumber::GenericHeader,
                            {{"main.c", main}, {"other.c", "#include \"zlc62740.h\"\n"}},
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
    EXPECT_NE(dom.find("<title>KORVANE ZLC62740 Register Quick Reference</title>"),
              std::string::npos);
}

} // namespace
} // namespace zlc

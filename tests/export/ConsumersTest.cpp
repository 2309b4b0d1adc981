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

// Writes a target as the export does, CR LF line ends included.
void ExportInto(const ConfigDocument& doc, int target, const std::string& path) {
    const ExportResult result = ExportTarget(doc, target, path, 0, nullptr);
    ASSERT_TRUE(result.ok) << result.message;
}

// Compiles and links C sources in `dir` with the given flags and runs the
// program; returns its output.
std::string CompileAndRun(const TempDir& dir, const std::string& sources,
                          const std::string& flags) {
    const auto build = test::Shell("cd " + Quote(dir.path()) + " && gcc -std=c99 " + flags + " " +
                                   sources + " -o program");
    EXPECT_EQ(build.status, 0) << build.err;
    const auto run = test::Shell(Quote(dir / "program"));
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

// The HAL's record, as a C program declares it.
constexpr const char* kHalStruct = R"(#include <stdint.h>
#include <stdio.h>
typedef struct __attribute__((packed)) {
    char idString[16];
    uint16_t endianDetect;
    uint16_t structSize;
    uint8_t regs[32];
    uint32_t clkiKHz;
    uint32_t physMemAddr;
    uint32_t physRegAddr;
    uint16_t frameRate;
    uint8_t padding[2];
} HAL_STRUCT;
typedef char SizeIs68[sizeof(HAL_STRUCT) == 68 ? 1 : -1];
)";

TEST(Consumers, AppCfgInitialisesTheHalStructWithTheConfiguration) {
    for (const test::ExportCase& exportCase : test::ExportCases()) {
        const TempDir dir;
        const ConfigDocument doc = exportCase.Document();
        ExportInto(doc, ExportTargetNumber::AppCfg, dir / "appcfg.h");
        test::WriteFile(dir / "main.c", std::string(kHalStruct) + R"(#include "appcfg.h"
int main(void) {
    printf("%s|%X|%u|", HalInfo.idString, HalInfo.endianDetect, HalInfo.structSize);
    for (int i = 0; i < 32; ++i) printf("%02X", HalInfo.regs[i]);
    printf("|%u|%X|%X|%u\n", (unsigned)HalInfo.clkiKHz, (unsigned)HalInfo.physMemAddr,
           (unsigned)HalInfo.physRegAddr, HalInfo.frameRate);
    return 0;
}
)");
        // The register bytes are one flat run of initialisers, eight to a
        // line, so the compiler's wish for inner braces is switched off.
        std::string expected = "6274 HAL EXE|1234|68|";
        for (const uint8_t value : doc.block.regs) {
            AppendFormat(expected, "%02X", value);
        }
        AppendFormat(expected, "|%u|%X|%X|%u\n", doc.block.clkiKHz, doc.block.physMemAddr,
                     doc.block.physRegAddr, doc.block.frameRate);
        EXPECT_EQ(CompileAndRun(dir, "main.c", "-Wall -Werror -Wno-missing-braces"), expected)
            << exportCase.name;
    }
}

TEST(Consumers, ChipHeaderServesEveryFileOfAProgram) {
    const TempDir dir;
    ExportInto(ConfigDocument(), ExportTargetNumber::ChipHeader, dir / "chip.h");
    test::WriteFile(dir / "lut.c", std::string("#include \"chip.h\"\n"
                                               "int LutRegister(void) { return LutData; }\n"));
    test::WriteFile(dir / "main.c",
                    std::string("#include <stdio.h>\n#include \"chip.h\"\nint LutRegister(void);\n"
                                "int main(void) {\n"
                                "    eReg last = TestMode;\n"
                                "    printf(\"%d %d %d %d %d\\n\", RevisionCode, ScrnStartAddr, "
                                "MODRate, LutRegister(), (int)last);\n"
                                "    return 0;\n}\n"));
    EXPECT_EQ(CompileAndRun(dir, "main.c lut.c", "-Wall -Wextra -Werror"), "0 16 11 23 31\n");
}

TEST(Consumers, GenericHeaderGivesMacrosRegistersAndPaletteAccess) {
    const TempDir dir;
    const ConfigDocument doc = test::FindExportCase("clki-frame-rate").Document();
    ExportInto(doc, ExportTargetNumber::GenericHeader, dir / "zlc62740.h");
    // A file that wants only the macros builds cleanly too.
    test::WriteFile(dir / "size.c", std::string("#include \"zlc62740.h\"\n"
                                                "long FrameBytes(void) { return "
                                                "(long)ZLC_DISPLAY_SCANLINE_BYTES * "
                                                "ZLC_DISPLAY_HEIGHT; }\n"));
    test::WriteFile(dir / "main.c", std::string(R"(#include <stdio.h>
#include "zlc62740.h"
long FrameBytes(void);
int main(void) {
    unsigned char chip[32] = {0};
    unsigned char r = 0, g = 0, b = 0;
    unsigned i;
    ZLC_WRITE_PALETTE(chip, 7, 0x10, 0x20, 0x30);
    printf("%u %u ", chip[0x15], chip[0x17]);
    ZLC_READ_PALETTE(chip, 9, r, g, b);
    printf("%u %u %u %u|", chip[0x15], r, g, b);
    printf("%d %d %ld %ld %lX %d %d|", ZLC_DISPLAY_WIDTH, ZLC_DISPLAY_FRAME_RATE, ZLC_DISPLAY_PCLK,
           FrameBytes(), ZLC_PHYSICAL_VMEM_ADDR, ZLC_POWER_DELAY_OFF, ZLC_POWER_DELAY_ON);
    for (i = 0; i < sizeof aZLCRegs / sizeof aZLCRegs[0]; ++i)
        printf("%02X%02X", aZLCRegs[i].Index, aZLCRegs[i].Value);
    printf("\n");
    return 0;
}
)"));
    std::string expected = "7 48 9 48 48 48|320 72 25175000 76800 200000 100 20|";
    for (int i = 0; i < 32; ++i) {
        AppendFormat(expected, "%02X%02X", i, doc.GetRegister(i));
    }
    EXPECT_EQ(CompileAndRun(dir, "main.c size.c", "-Wall -Wextra -Werror"), expected + "\n");
}

TEST(Consumers, HtmlReferenceRendersInABrowser) {
    if (!test::HaveTool("chromium")) {
        GTEST_SKIP() << "chromium is not installed (scripts/packages.txt lists it)";
    }
    const TempDir dir;
    ExportInto(ConfigDocument(), ExportTargetNumber::Html, dir / "zlc62740.html");
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
    EXPECT_NE(dom.find("<b>REG[1Ch] Line Byte Count Register</b>"), std::string::npos);
    EXPECT_NE(dom.find("<title>KORVANE ZLC62740 Register Quick Reference</title>"),
              std::string::npos);
    EXPECT_NE(dom.find("Copyright (c) 2026 Korvane."), std::string::npos);
}

} // namespace
} // namespace zlc

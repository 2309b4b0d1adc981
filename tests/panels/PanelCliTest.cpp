#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

test::RunResult Zlc(const std::vector<std::string>& args) {
    return test::RunProgram("zlc62740", args);
}

std::string ShippedFile() {
    return test::ReadText(std::string(ZLC_BIN_DIR) + "/PANELS.DEF");
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(PanelCli, ListsAndAppliesTheShippedPanels) {
    const auto list = Zlc({"panels"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_TRUE(list.out.starts_with("0\tSharp LM32P10 320x240 mono STN\t\n"));
    EXPECT_TRUE(Has(list.out, "\n11\tNEC NL6448BC20-08 640x480 TFT\t\n"));
    EXPECT_FALSE(Has(list.out, "**"));

    const auto shown = Zlc({"--panel", "Sharp LQ064V3DG01 640x480 TFT", "show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    for (const char* line :
         {"\n15\tTFT/STN\tTFT/D-TFD\t\n", "\n33\tHorizontal Panel Size\t640\tpixels\n",
          "\n34\tVertical Panel Size\t480\tlines\n",
          "\n38\tHorizontal Non-Display Period\t160\tpixels\n",
          "\n39\tFPFRAME Start Position\t10\tlines\n"}) {
        EXPECT_TRUE(Has(shown.out, line)) << line;
    }
    EXPECT_EQ(shown.err, "Pixel clock should be set to 25.175 MHz.\n");

    // --set comes after the panel, whatever the order on the command line.
    EXPECT_EQ(Zlc({"--set", "Horz Size=320", "--panel", "Sharp LQ064V3DG01 640x480 TFT", "get",
                   "33", "34"})
                  .out,
              "320\n480\n");
    EXPECT_EQ(Zlc({"--panel", "Sharp LQ064", "show"}).status, 2);
    EXPECT_EQ(Zlc({"--panels-dir", "/nonexistent", "panels"}).status, 2);
}

TEST(PanelCli, DebugDefTakesPrecedenceAndShowsWhyPanelsFail) {
    const test::TempDir dir;
    test::WriteFile(dir / "DEBUG.DEF", ShippedFile());
    test::WriteFile(dir / "PANELS.DEF", "VERSION 2\n");
    const auto result = Zlc({"--panels-dir", dir.path(), "panels"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("0\tSharp LM32P10 320x240 mono STN\t\n"));
    EXPECT_TRUE(Has(result.out, "\t**Planar EL640.480-AM8 640x480 EL\tPlanar EL640.480-AM8 "
                                "640x480 EL is disqualified: it is an EL; HNDP < 32.\n"));
    EXPECT_EQ(result.err, "Loaded DEBUG.DEF file.  Note that panels prefixed with ** shouldn't "
                          "work with 62740.\n");

    const auto rejected =
        Zlc({"--panels-dir", dir.path(), "--panel", "**Sharp LQ10D421 640x480 TFT", "get", "33"});
    EXPECT_EQ(rejected.status, 1);
    EXPECT_EQ(rejected.err,
              "Sharp LQ10D421 640x480 TFT is disqualified: needs support for TFT 2x.\n");
}

// An unreadable file is reported and the check goes on.
TEST(PanelCli, CheckReportsAnInvalidPanelFile) {
    const test::TempDir dir;
    test::WriteFile(dir / "PANELS.DEF", "VERSION 2\nPANEL no name\n");
    const auto invalid = Zlc({"--panels-dir", dir.path(), "check"});
    EXPECT_EQ(invalid.status, 0);
    EXPECT_EQ(invalid.err, "Invalid PANELS.DEF\n");
}

} // namespace
} // namespace zlc

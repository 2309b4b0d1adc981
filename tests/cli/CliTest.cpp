#include "support/BlockImages.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zlc {
namespace {

using test::Zlc;

// The settings come first, their clocks in Hz whatever unit the pages use,
// and the panel line last.
TEST(Cli, ShowPrintsEverySettingAndThePanel) {
    const auto result = Zlc({"show"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("1\tZLC Controller\t62740\t\n"));
    EXPECT_NE(result.out.find("9\tPixel Clock\t6000000\tHz\n"), std::string::npos);
    EXPECT_TRUE(result.out.ends_with("\nPanel: " + Zlc({"mode"}).out));
    EXPECT_NE(Zlc({"show", "--json"}).out.find("\"raw\": 6000000, \"unit\": \"Hz\"}"),
              std::string::npos);
}

TEST(Cli, OutputThatCannotBeWrittenFailsTheCommand) {
    for (const char* args : {"show", "registers", "export csv -o -", "--version"}) {
        const auto result = test::Shell("{ " + test::Quote(std::string(ZLC_BIN_DIR) + "/zlc62740") +
                                        " " + args + " >/dev/full; }");
        EXPECT_EQ(result.status, 1) << args;
        EXPECT_EQ(result.err, "zlc62740: cannot write the output: No space left on device\n")
            << args;
    }
}

// Values come one a line in the order asked; options apply in the order given.
TEST(Cli, GetAndSetFollowTheOrderGiven) {
    EXPECT_EQ(Zlc({"get", "Horz Size", "tft/stn", "REG[01h]"}).out, "320\nTFT/D-TFD\nA1\n");
    EXPECT_EQ(Zlc({"get", "--raw", "1"}).out, "5\n");
    EXPECT_EQ(Zlc({"--set", "33=640", "--set", "REG[04h]=0x3B", "get", "33"}).out, "480\n");
}

// Which values a setting takes is the name resolver's to check; here, that
// each command refuses what it is given wrongly.
TEST(Cli, UsageErrorsExitWithTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"get", "No Such Setting"},
             {"--set", "Frame Rate=fast", "show"},
             {"--set", "Frame Rate", "show"},
             {"--set", "REG[20h]=1", "show"},
             {"--set", "Frame Rate=70000", "show"},
             {"--in", "", "show"},
             {"save", ""},
             {"save", "x.exe", "--as", ""},
             {"configure"},
             {"configure", "x.exe", ""},
             {"export", "csv", "-o", ""},
             {"export", "mode", "--mode", "+1"},
             {"preview", "-o", ""},
             {"preview", "--depth", " 8"},
             {"preview", "--depth", "0x8"},
             {"--wait", "1s", "show"},
             {"--settings", "/", "show"},
             {"--settings", "/dev/zero", "show"},
             {"view", ""},
             {"frobnicate"},
             {},
         }) {
        const auto result = Zlc(args);
        EXPECT_EQ(result.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_TRUE(result.out.empty());
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_TRUE(Zlc({"--set", "Frame Rate=70000", "show"})
                    .err.starts_with("zlc62740: --set: Frame Rate: 70000 is out of range"));
}

// A FIFO would keep a reader waiting for a writer that never comes.
TEST(Cli, ViewRefusesWhatIsNotARegularFileAtOnce) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    const auto result = Zlc({"view", dir / "fifo", "-o", dir / "out.png"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "zlc62740: " + (dir / "fifo") + ": not a simulated board file\n");
}

// Warnings alone are no failure; errors are, and come before the warnings.
TEST(Cli, CheckFailsOnErrorsOnly) {
    const auto clean = Zlc({"check"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(Zlc({"--set", "REG[03h]=0x17", "check"}).status, 0);
    const auto broken = Zlc({"--set", "Color/Mono=Mono", "--set", "REG[14h]=1", "check"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.out.starts_with("ERROR: ")) << broken.out;
    EXPECT_NE(broken.out.find("\nWarning: "), std::string::npos) << broken.out;
}

// Register commands take a register index, describe a setting's name.
TEST(Cli, RegisterCommandsTakeAnIndex) {
    EXPECT_TRUE(Zlc({"breakdown", "4h"}).out.starts_with("Register 0004h breakdown:\n"));
    EXPECT_EQ(Zlc({"breakdown", "20"}).status, 2);
    EXPECT_EQ(Zlc({"describe", "Horz Size"}).status, 0);
    EXPECT_EQ(Zlc({"describe", "REG[04h]"}).status, 2);
}

// The file's own reason is the file layer's to word; here, where it goes.
TEST(Cli, InLoadsTheBlockOfAFileOrFailsTheCommand) {
    ConfigBlock block = DefaultConfigBlock();
    block.regs[4] = 0x4F; // 640 pixels
    block.frameRate = 60;
    const test::TempDir dir;
    test::WriteFile(dir / "program.exe",
                    test::ImageWith(4096, 1000, test::BlockBytes(block, true)));
    const auto result = Zlc({"--in", dir / "program.exe", "get", "33", "5"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "640\n60\n");

    test::WriteFile(dir / "empty.exe", std::vector<uint8_t>(300, 0));
    const auto absent = Zlc({"--in", dir / "empty.exe", "show"});
    EXPECT_EQ(absent.status, 1);
    EXPECT_TRUE(absent.out.empty());
    EXPECT_TRUE(absent.err.starts_with("File \"" + dir / "empty.exe" + "\" could not be opened"))
        << absent.err;
}

} // namespace
} // namespace zlc

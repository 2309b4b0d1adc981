// The commands that join the model, the files and the simulated board:
// --settings, diff and preview, run as the real program.
#include "cases/CaseFile.h"
#include "cli/CliExpected.h"
#include "support/Png.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::Zlc;

using test::ExpectedCliOutput;
const std::string& kVirt = test::kVirtProgram;

// The names the program lists as predefined panels.
std::vector<std::string> ShippedPanels() {
    std::vector<std::string> names;
    for (const std::string& line : test::Split(Zlc({"panels"}).out, '\n')) {
        names.push_back(test::Split(line, '\t').at(1));
    }
    return names;
}

constexpr test::Rgb kWhite = {0xFF, 0xFF, 0xFF};

TEST(BeyondCommands, ShowJsonRoundTripsEveryShippedPanel) {
    const auto panels = ShippedPanels();
    ASSERT_GE(panels.size(), 5u);
    for (const std::string& panel : panels) {
        test::TempDir dir;
        const auto json = Zlc({"--panel", panel, "show", "--json"});
        ASSERT_EQ(json.status, 0) << panel << json.err;
        test::WriteFile(dir / "panel.json", json.out);
        test::WriteFile(dir / "copy", test::ReadFile(kVirt));
        test::WriteFile(dir / "copy2", test::ReadFile(kVirt));

        const auto fromSettings = Zlc({"--settings", dir / "panel.json", "save", dir / "copy"});
        ASSERT_EQ(fromSettings.status, 0) << panel << fromSettings.err;
        ASSERT_EQ(Zlc({"--panel", panel, "save", dir / "copy2"}).status, 0) << panel;
        EXPECT_EQ(test::ReadFile(dir / "copy"), test::ReadFile(dir / "copy2")) << panel;
    }
}

TEST(BeyondCommands, BadSettingsFileChangesNothing) {
    test::TempDir dir;
    test::WriteFile(dir / "copy", test::ReadFile(kVirt));
    test::WriteFile(dir / "bad.txt", "Horz Size=640\nVert Size=lots\n");
    const auto before = test::FileState::Of(dir / "copy");

    const auto result = Zlc({"--settings", dir / "bad.txt", "save", dir / "copy"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "zlc62740: --settings: " + dir / "bad.txt" +
                              ":2: \"lots\" is neither a number nor a value name of "
                              "\"Vert Size\"\n");
    EXPECT_EQ(test::FileState::Of(dir / "copy"), before);
    EXPECT_EQ(Zlc({"--settings", dir / "missing", "show"}).status, 2);
}

TEST(BeyondCommands, SettingsApplyAfterThePanelAndBeforeSet) {
    test::TempDir dir;
    test::WriteFile(dir / "s.txt", "Horz Size=640\nVert Size=480\n");
    const auto panels = ShippedPanels();
    const auto result = Zlc({"--panel", panels.front(), "--settings", dir / "s.txt", "--set",
                             "Vert Size=200", "get", "33", "34"});
    EXPECT_EQ(result.out, "640\n200\n") << result.err;
}

TEST(BeyondCommands, DiffFollowsDiffExitStatuses) {
    const auto same = Zlc({"diff", kVirt, kVirt});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    test::TempDir dir;
    test::WriteFile(dir / "copy", test::ReadFile(kVirt));
    ASSERT_EQ(Zlc({"--in", kVirt, "--set", "33=640", "save", dir / "copy"}).status, 0);
    const auto wider = Zlc({"diff", dir / "copy", kVirt});
    EXPECT_EQ(wider.status, 1);
    EXPECT_EQ(wider.out, ExpectedCliOutput("diff_width_640.txt"));
    const auto json = Zlc({"diff", "--json", dir / "copy", kVirt});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out, ExpectedCliOutput("diff_width_640.json"));
    // The fields of the block beside the registers count as much.
    ASSERT_EQ(Zlc({"--in", kVirt, "--set", "CLKI Timing=25175000", "--set", "Frame Rate=60",
                   "--set", "Phys Buff Addr=0x200000", "--set", "Phys Reg Addr=0x21FFE0", "save",
                   "--as", dir / "block", kVirt})
                  .status,
              0);
    const auto block = Zlc({"diff", dir / "block", kVirt});
    EXPECT_EQ(block.status, 1);
    EXPECT_EQ(block.out, ExpectedCliOutput("diff_block_fields.txt"));
    ASSERT_EQ(Zlc({"--in", kVirt, "--set", "Phys Buff Addr=0x200000", "save",
                   "--preserve-physical-address", "--as", dir / "kept", kVirt})
                  .status,
              0);
    EXPECT_EQ(Zlc({"diff", dir / "kept", kVirt}).status, 0);

    EXPECT_EQ(Zlc({"diff", dir / "missing"}).status, 2);
    EXPECT_EQ(Zlc({"diff"}).status, 2);
}

TEST(BeyondCommands, PreviewShowsThePanelUpright) {
    test::TempDir dir;
    const auto landscape = Zlc({"preview", "-o", dir / "landscape.png"});
    ASSERT_EQ(landscape.status, 0) << landscape.err;
    EXPECT_EQ(landscape.out,
              dir / "landscape.png" + ": " + ExpectedCliOutput("preview_default.txt"));
    const test::Picture wide = test::Picture::Read(dir / "landscape.png");
    EXPECT_EQ(std::make_pair(wide.width, wide.height), std::make_pair(320, 240));
    EXPECT_EQ(wide.At(319, 239), kWhite);               // the outline
    EXPECT_EQ(wide.At(17, 1), (test::Rgb{0, 0, 0xAA})); // the second square, colour 1

    // PivotScan shows the 320 x 240 panel turned: 240 wide and 320 high.
    const auto pivot = Zlc({"--set", "PivotScan Mode Enable=Enabled", "preview", "--depth", "2",
                            "-o", dir / "pivot.png"});
    ASSERT_EQ(pivot.status, 0) << pivot.err;
    const test::Picture tall = test::Picture::Read(dir / "pivot.png");
    EXPECT_EQ(std::make_pair(tall.width, tall.height), std::make_pair(240, 320));
    EXPECT_EQ(tall.At(1, 17), (test::Rgb{0xFF, 0, 0})); // 2 bpp colour 1 is red
}

TEST(BeyondCommands, PreviewReportsWhatTheHalTunesAndRefuses) {
    test::TempDir dir;
    const auto tuned = Zlc({"--set", "Frame Rate=60", "preview", "-o", dir / "tuned.png"});
    EXPECT_EQ(tuned.out, dir / "tuned.png" + ": " + ExpectedCliOutput("preview_60hz.txt"));
    const auto result = Zlc({"--set", "Frame Rate=1000", "preview", "-o", "/dev/null"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "zlc62740: preview: no panel timing gives the frame rate of 1000 Hz at "
                          "this panel size and clock\n");
    EXPECT_EQ(Zlc({"preview", "--depth", "3"}).status, 2);
    EXPECT_EQ(Zlc({"preview", "--pattern", "stripes"}).status, 2);
}

} // namespace
} // namespace zlc

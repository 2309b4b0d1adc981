// The timing picture as the real program writes it: its bars to scale and
// the values its labels give.
#include "support/Png.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <regex>

namespace zlc {
namespace {

using test::Zlc;

constexpr test::Rgb kActive = {60, 160, 80};
constexpr test::Rgb kNonDisplay = {176, 176, 176};

struct Bar {
    int active = 0; // pixels of the picture
    int nonDisplay = 0;
};

// The bars of the picture from the top: on the middle row of each band of
// rows that show the active colour, the run of that colour and the run of
// the non-display colour after it.
std::vector<Bar> Bars(const test::Picture& picture) {
    std::vector<Bar> bars;
    std::vector<int> band;
    for (int y = 0; y <= picture.height; ++y) {
        bool active = false;
        for (int x = 0; y < picture.height && x < picture.width && !active; ++x) {
            active = picture.At(x, y) == kActive;
        }
        if (active) {
            band.push_back(y);
            continue;
        }
        if (band.empty()) {
            continue;
        }
        const int row = band[band.size() / 2];
        band.clear();
        Bar bar;
        int x = 0;
        while (picture.At(x, row) != kActive) {
            ++x;
        }
        for (; x < picture.width && picture.At(x, row) == kActive; ++x) {
            ++bar.active;
        }
        for (; x < picture.width && picture.At(x, row) == kNonDisplay; ++x) {
            ++bar.nonDisplay;
        }
        bars.push_back(bar);
    }
    return bars;
}

// The active part of a bar is its share of the period, to the pixel.
void ExpectShare(const Bar& bar, double active, double total) {
    const double expected = (bar.active + bar.nonDisplay) * active / total;
    EXPECT_LE(std::abs(bar.active - expected), 1.0)
        << bar.active << " of " << bar.active + bar.nonDisplay;
}

std::string SvgTexts(const std::string& svg) {
    std::string texts;
    const std::regex text("<text[^>]*>([^<]*)</text>");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator();
         ++it) {
        texts += (*it)[1].str() + "\n";
    }
    return texts;
}

struct TimingCase {
    const char* name;
    std::vector<std::string> settings;
    double lineActive, lineTotal;   // pixels of a line
    double frameActive, frameTotal; // line periods of a frame
};

class TimingCommand : public ::testing::TestWithParam<TimingCase> {};

TEST_P(TimingCommand, DrawsThePeriodsToScaleWithTheirValues) {
    const TimingCase& c = GetParam();
    test::TempDir dir;
    std::vector<std::string> args;
    for (const std::string& setting : c.settings) {
        args.insert(args.end(), {"--set", setting});
    }
    args.insert(args.end(), {"timing", "-o"});

    auto png = args;
    png.push_back(dir / "timing.png");
    const auto drawn = Zlc(png);
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    const auto bars = Bars(test::Picture::Read(dir / "timing.png"));
    ASSERT_EQ(bars.size(), 2u);
    ExpectShare(bars[0], c.lineActive, c.lineTotal);
    ExpectShare(bars[1], c.frameActive, c.frameTotal);

    auto svg = args;
    svg.push_back(dir / "timing.SVG");
    ASSERT_EQ(Zlc(svg).status, 0);
    EXPECT_EQ(SvgTexts(test::ReadText(dir / "timing.SVG")),
              test::ReadText(std::string(ZLC_TEST_DATA_DIR) + "/timing/" + c.name + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(Panels, TimingCommand,
                         ::testing::Values(
                             // The default block: 320 x 240 TFT, 128 pixels and 11 lines of
                             // non-display period, at 6 MHz.
                             TimingCase{"tft", {}, 320, 448, 240, 251},
                             // 640 x 480 dual STN at 25 MHz: a line period carries a line of each
                             // half, and a frame is half the lines plus the non-display period.
                             TimingCase{"dual_stn",
                                        {"TFT/STN=STN", "Dual/Single=Dual", "Data Width Bits=8",
                                         "Horz Size=640", "Vert Size=480",
                                         "Horz Non-Disp Period=32", "Vert Non-Disp Period=2",
                                         "CLKI Timing=25000000"},
                                        640,
                                        672,
                                        240,
                                        242}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TimingCommandNames, PictureNameMustSayItsKind) {
    test::TempDir dir;
    EXPECT_EQ(Zlc({"timing", "-o", dir / "timing.jpg"}).status, 2);
    EXPECT_EQ(Zlc({"timing", "-o", dir / "missing/timing.svg"}).status, 1);
}

} // namespace
} // namespace zlc

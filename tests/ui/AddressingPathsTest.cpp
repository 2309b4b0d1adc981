// Every way to a panel configuration stores the PivotScan addressing that the
// HAL programs into the chip: the pages in either order, the command line in
// either order, and the simulated board programmed from the result agree.
#include "FakeHosts.h"
#include "base/Format.h"
#include "cli/DocumentBuilder.h"
#include "hal/ChipWindow.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"
#include "model/SettingsTable.h"
#include "model/Validation.h"
#include "preview/PanelPreview.h"

#include <algorithm>
#include <array>

namespace zlc::ui {
namespace {

using namespace SettingId;

constexpr int kPreferencesTab = 1, kPanelTab = 3;
constexpr int kFirstDepthButton = 1301, kPivotScanBox = 1305, kAlternateBox = 1306;
constexpr int kPanelList = 1530;
constexpr std::array kAddressing = {REG_SCRN1_START_ADDR_LSB, REG_SCRN1_START_ADDR_MSB,
                                    REG_SCRN_START_ADDR_OVERFLOW, REG_LINE_BYTE_COUNT};

enum class Mode { Landscape, PivotScan, Alternate };

struct Target {
    int panel;
    uint32_t depth;
    Mode mode;
};

std::array<uint8_t, 4> Addressing(const ConfigBlock& block) {
    std::array<uint8_t, 4> bytes{};
    for (size_t i = 0; i < kAddressing.size(); ++i) {
        bytes[i] = block.regs[kAddressing[i]];
    }
    return bytes;
}

// What the HAL leaves in the four registers of a board it programs from the
// block and turns to the block's orientation.
std::array<uint8_t, 4> ProgrammedAddressing(ConfigBlock block) {
    std::vector<uint8_t> board(sim::kBoardFileSize);
    sim::FormatBoardImage(board);
    const bool pivotScan = (block.regs[REG_PORTRAIT_MODE] & 0x80) != 0;
    EXPECT_EQ(halInitializeWithWindow(&block, std::make_unique<sim::SimulatedBoard>(board)),
              HAL_OK);
    halProgramRegisters();
    halSetOrientation(pivotScan ? 1 : 0);
    halInitializeWithWindow(nullptr, nullptr);
    std::array<uint8_t, 4> bytes{};
    for (size_t i = 0; i < kAddressing.size(); ++i) {
        bytes[i] = board[sim::kRegisterOffset + static_cast<size_t>(kAddressing[i])];
    }
    return bytes;
}

class AddressingPaths : public test::ShellFixture {
  protected:
    AddressingPaths() {
        LoadPanelDefinitions(panels, ZLC_BIN_DIR, [](const std::string& m) { FAIL() << m; });
    }

    void ChoosePreferences(const Target& t) {
        ShowTab(kPreferencesTab);
        int log2 = 0;
        while ((1u << log2) < t.depth) {
            ++log2;
        }
        if (!page().IsChecked(kFirstDepthButton + log2)) {
            page().Click(kFirstDepthButton + log2);
        }
        if ((t.mode != Mode::Landscape) != page().IsChecked(kPivotScanBox)) {
            page().Click(kPivotScanBox);
        }
        if (t.mode != Mode::Landscape &&
            (t.mode == Mode::Alternate) != page().IsChecked(kAlternateBox)) {
            page().Click(kAlternateBox);
        }
    }

    void ChoosePanel(const Target& t) {
        ShowTab(kPanelTab);
        page().PickItem(kPanelList, t.panel);
    }

    ConfigBlock ThroughPages(const Target& t, bool depthFirst) {
        doc = ConfigDocument();
        if (depthFirst) {
            ChoosePreferences(t);
            ChoosePanel(t);
        } else {
            ChoosePanel(t);
            ChoosePreferences(t);
        }
        return doc.block;
    }

    // The panel by name and then the depth and orientation, or these first
    // and then the panel's size by its settings.
    ConfigBlock ThroughCommandLine(const Target& t, bool panelFirst) {
        const PanelDefinition& d = panels.PanelAt(t.panel);
        cli::DocumentOptions options;
        options.panelsDir = ZLC_BIN_DIR;
        std::vector<std::string> sets = {
            "Bits-Per-Pixel=" + std::to_string(t.depth),
            Format("PivotScan Mode Select=%d", t.mode == Mode::Alternate ? 1 : 0),
            Format("PivotScan Mode Enable=%d", t.mode == Mode::Landscape ? 0 : 1)};
        if (panelFirst) {
            options.panelName = d.name;
        } else {
            sets.push_back(Format("Vertical Panel Size=%d", d.height));
            sets.push_back(Format("Horizontal Panel Size=%d", d.width));
        }
        options.assignments = sets;
        ConfigDocument built;
        platform::FileLock lock;
        SaveConditions conditions;
        EXPECT_EQ(cli::BuildDocument(options, built, lock, conditions), 0);
        return built.block;
    }
};

TEST_F(AddressingPaths, EveryWayStoresWhatTheHalPrograms) {
    int checked = 0;
    for (int panel = 0; panel < panels.PanelCount(); ++panel) {
        const PanelDefinition& d = panels.PanelAt(panel);
        for (const uint32_t depth : {1u, 2u, 4u, 8u}) {
            if (depth == 8 && d.isColor != 1) {
                continue; // a mono panel has no 8 bpp
            }
            for (const Mode mode : {Mode::Landscape, Mode::PivotScan, Mode::Alternate}) {
                const Target t{panel, depth, mode};
                SCOPED_TRACE(
                    Format("%s, %u bpp, mode %d", d.name.c_str(), depth, static_cast<int>(mode)));
                const ConfigBlock reference = ThroughPages(t, true);
                const auto stored = Addressing(reference);
                EXPECT_EQ(Addressing(ThroughPages(t, false)), stored);
                EXPECT_EQ(Addressing(ThroughCommandLine(t, true)), stored);
                EXPECT_EQ(Addressing(ThroughCommandLine(t, false)), stored);

                ConfigDocument configured;
                configured.block = reference;
                const uint32_t lineBytes = GetSetting(configured, VertPanelSize) *
                                           GetSetting(configured, BitsPerPixel) / 8;
                if (mode != Mode::Landscape && lineBytes > 256) {
                    // The HAL refuses such a line; the check says so.
                    EXPECT_NE(CheckErrors(configured).find("ERROR: PivotScan line of"),
                              std::string::npos);
                    continue;
                }
                EXPECT_EQ(ProgrammedAddressing(reference), stored);
                ConfigBlock untimed = reference; // the preview reports a timing it cannot tune
                untimed.frameRate = 0;
                const preview::PanelPreview shown = preview::MakePanelPreview(untimed);
                ASSERT_TRUE(shown.ok) << shown.message;
                for (const preview::RegisterChange& change : shown.changes) {
                    EXPECT_EQ(std::count(kAddressing.begin(), kAddressing.end(), change.index), 0)
                        << preview::DescribeProgramming(shown);
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100);
}

} // namespace
} // namespace zlc::ui

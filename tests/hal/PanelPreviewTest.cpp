#include "preview/PanelPreview.h"

#include "hal/Hal.h"
#include "model/ConfigDocument.h"
#include "model/SettingsTable.h"

#include <gtest/gtest.h>

namespace zlc::preview {
namespace {

bool Changed(const PanelPreview& preview, int index, uint8_t from, uint8_t to) {
    for (const RegisterChange& change : preview.changes) {
        if (change.index == index) {
            return change.fromBlock == from && change.programmed == to;
        }
    }
    return false;
}

// The default configuration's preview is checked through the command line.
TEST(PanelPreview, ReportsWhatTheHalProgramsDifferently) {
    ConfigDocument doc;
    SetSetting(doc, SettingId::FrameRate, 60);
    SetSetting(doc, SettingId::PivotScanEnable, 1);
    const PanelPreview preview = MakePanelPreview(doc.block, {2, Pattern::Bars});
    ASSERT_TRUE(preview.ok) << preview.message;
    EXPECT_EQ(preview.geometry.bitsPerPixel, 2);
    EXPECT_EQ(preview.image.width, 240);
    EXPECT_EQ(preview.requestedFrameRate, 60u);
    EXPECT_GE(preview.frameRate, 60u);
    // The configuration's lines are 240 bytes at its 8 bpp; shown at 2 bpp
    // the HAL's are 60 (start 59), 64 bytes apart.
    EXPECT_TRUE(Changed(preview, REG_SCRN1_START_ADDR_LSB, 0xEF, 59));
    EXPECT_FALSE(Changed(preview, REG_SCRN1_START_ADDR_MSB, 0x00, 0x00));
    EXPECT_TRUE(Changed(preview, REG_LINE_BYTE_COUNT, 0x00, 64));
    // Bars: four at 2 bpp, 60 pixels each, entries 0 to 3 of the table.
    EXPECT_EQ(preview.image.rgb[(10 * 240 + 59) * 3], 0x00);
    EXPECT_EQ(preview.image.rgb[(10 * 240 + 60) * 3], 0xFF);
    // The HAL keeps nothing of the preview's board.
    EXPECT_EQ(halReadRegister(REG_MODE_REGISTER_0), 0);
}

TEST(PanelPreview, RefusalCarriesTheHalsReason) {
    ConfigDocument doc;
    SetSetting(doc, SettingId::VertPanelSize, 480);
    SetSetting(doc, SettingId::PivotScanEnable, 1);
    const PanelPreview preview = MakePanelPreview(doc.block);
    EXPECT_FALSE(preview.ok);
    EXPECT_EQ(preview.message, "PivotScan cannot show lines of 480 bytes (1 to 256 bytes)");
}

} // namespace
} // namespace zlc::preview

#include "ui/Diagnostics.h"

#include "FakeHosts.h"
#include "model/SettingsTable.h"

#include <gtest/gtest.h>

namespace zlc::ui {
namespace {

class DiagnosticsTest : public ::testing::Test {
  protected:
    DiagnosticsTest() { diagnostics.SetView(&view); }

    ConfigDocument doc;
    Diagnostics diagnostics{doc};
    test::FakeShellHost view;
};

TEST_F(DiagnosticsTest, AStickyNoteStaysForTheNextReportOfAnotherControl) {
    diagnostics.Update(1201, DIAG_STICKY, "Note of 1201\n");
    EXPECT_EQ(view.diagnosticsText, "Note of 1201");
    diagnostics.Update(1305, DIAG_STICKY, "Note of 1305\n");
    EXPECT_EQ(view.diagnosticsText, "Note of 1305\r\nNote of 1201");
    EXPECT_EQ(diagnostics.stickyOwner(), 1305);
    // Another control's refresh still shows the note, and takes its place.
    diagnostics.Update(1401, DIAG_STICKY);
    EXPECT_EQ(view.diagnosticsText, "Note of 1305");
    EXPECT_EQ(diagnostics.stickyOwner(), 1401);
    diagnostics.Update(1305, DIAG_STICKY);
    EXPECT_EQ(view.diagnosticsText, "");
}

TEST_F(DiagnosticsTest, AStickyNoteGoesWhenItsOwnControlReports) {
    diagnostics.Update(1530, DIAG_STICKY_ALWAYS, "Pixel clock note\n");
    diagnostics.Update(1530, DIAG_STICKY);
    EXPECT_EQ(view.diagnosticsText, "");
    EXPECT_EQ(diagnostics.stickyOwner(), 0);

    // A note that is not sticky is shown once, before the current note.
    diagnostics.Update(1514, DIAG_STICKY, "Width note\n");
    diagnostics.Update(1515, DIAG_STICKY | DIAG_NOT_STICKY, "Passing remark\n");
    EXPECT_EQ(view.diagnosticsText, "Passing remark\r\nWidth note");
    EXPECT_EQ(diagnostics.stickyMessage(), "");
    // The same message as the note shows it once, and the note stays.
    diagnostics.Update(1516, DIAG_STICKY, "Repeat\n");
    diagnostics.Update(1517, DIAG_NOT_STICKY, "Repeat\n");
    EXPECT_EQ(view.diagnosticsText, "Repeat");
    EXPECT_EQ(diagnostics.stickyOwner(), 1516);
}

TEST_F(DiagnosticsTest, APendingInputErrorHoldsTheBox) {
    diagnostics.Update(1208, DIAG_ERROR, "ERROR: bad\n");
    diagnostics.pendingErrorControl = 1208;
    EXPECT_EQ(view.beeps, 1);
    EXPECT_TRUE(view.highlighted);
    EXPECT_EQ(diagnostics.Update(1305, DIAG_STICKY, "Other\n"), 0u);
    EXPECT_EQ(view.diagnosticsText, "ERROR: bad");
    EXPECT_EQ(diagnostics.pendingErrorControl, 1208);
    // A forced report (a file was opened) clears it.
    diagnostics.Update(1102, DIAG_FORCE);
    EXPECT_EQ(diagnostics.pendingErrorControl, 0);
    EXPECT_EQ(view.diagnosticsText, "");
    EXPECT_FALSE(view.highlighted);
}

TEST_F(DiagnosticsTest, ValidationFollowsTheNoteAndHighlightsErrors) {
    doc.SetRegister(0x01, 0x02); // mono passive panel with a reserved data width, at 8 bpp
    doc.SetRegister(0x14, 0x01);
    diagnostics.Update(1301, DIAG_STICKY, "Note\n");
    EXPECT_EQ(view.diagnosticsText,
              "Note\r\nERROR: Data Width setting is invalid (please refer to the Hardware "
              "Specification).\r\nERROR: 8 bits-per-pixel is invalid when in monochrome "
              "mode.\r\nWarning: REG[14h] bit 0 set, but should be RESERVED.");
    EXPECT_TRUE(view.highlighted); // the report itself was not an error
    EXPECT_EQ(view.beeps, 0);
}

TEST_F(DiagnosticsTest, PanelFileMessagesStandBetweenErrorsAndWarnings) {
    diagnostics.SetPanelFileMessages([] { return std::string("ERROR: panel file\n"); });
    doc.SetRegister(0x14, 0x01);
    diagnostics.Update(1102, DIAG_FORCE);
    EXPECT_EQ(view.diagnosticsText,
              "ERROR: panel file\r\nWarning: REG[14h] bit 0 set, but should be RESERVED.");
    EXPECT_TRUE(view.highlighted);
}

TEST_F(DiagnosticsTest, IdenticalReportsDoNotRewriteTheBox) {
    diagnostics.Update(1301, DIAG_STICKY);
    doc.SetRegister(0x14, 0x01);
    diagnostics.Update(1301, DIAG_STICKY);
    const int writes = view.diagnosticsWrites;
    diagnostics.Update(1302, DIAG_STICKY);
    EXPECT_EQ(view.diagnosticsWrites, writes);
}

TEST_F(DiagnosticsTest, TheTextIsBoundedAndNothingIsShownWithoutABox) {
    diagnostics.Update(1, DIAG_NOT_STICKY, std::string(5000, 'x'));
    EXPECT_EQ(diagnostics.shownText().size(), Diagnostics::kTextLimit - 1);
    diagnostics.Update(2, DIAG_STICKY, std::string(300, 'y') + "\n");
    EXPECT_EQ(diagnostics.stickyMessage().size(), Diagnostics::kStickyLimit);

    Diagnostics detached(doc);
    EXPECT_EQ(detached.Update(1, DIAG_ERROR, "x"), 0u);
}

} // namespace
} // namespace zlc::ui

#include "ShellFixture.h"
#include "base/Format.h"
#include "model/RegisterTable.h"
#include "model/SettingTexts.h"

namespace zlc::ui {
namespace {

constexpr int kRegisters = 5;
constexpr int kList = 1701;
constexpr int kName = 2101, kValue = 2102, kDecimal = 2103, kHexadecimal = 2104;
constexpr int kHorzSize = 0x04;

class Registers : public test::ShellFixture {
  protected:
    Registers() { ShowTab(kRegisters); }

    std::string Cell(int row, int column) { return page().RowText(kList, row, column); }
};

TEST_F(Registers, AFreshRunListsEveryRegisterUnmarked) {
    ASSERT_EQ(page().ItemCount(kList), 32);
    EXPECT_EQ(Cell(0x1F, 0), "1Fh   ");
    EXPECT_EQ(page().State(kList).rowTips.at(0x1F), RegisterBreakdown(doc, 0x1F));
    EXPECT_EQ(shell.state().diagnostics.stickyMessage(), "");

    // Enter with no row selected opens nothing.
    page().PressEnter(kList);
    EXPECT_EQ(host.dialog, nullptr);
}

TEST_F(Registers, TheDialogSwitchesModesAndRefusesBadText) {
    const uint8_t before = doc.GetRegister(kHorzSize);
    host.dialogScripts.push_back([this, before](test::FakeDialogHost& dialog) {
        EXPECT_EQ(dialog.GetText(kName), RegisterName(kHorzSize));
        EXPECT_TRUE(dialog.IsChecked(kHexadecimal)); // the first dialog of a run
        EXPECT_EQ(dialog.GetText(kValue), Format("%08X", before));
        EXPECT_EQ(dialog.State(kValue).textLimit, 8);

        dialog.Type(kValue, "0000005A");
        dialog.Click(kDecimal);
        EXPECT_EQ(dialog.GetText(kValue), "90");
        EXPECT_EQ(dialog.State(kValue).textLimit, 10);

        dialog.Type(kValue, "9x");
        dialog.Click(kIdOk);
        EXPECT_FALSE(dialog.endResult); // the dialog stays open
        EXPECT_EQ(dialog.focusRequest, kValue);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(host.messages[0].text, "ERROR:Invalid value entered!");

        dialog.Click(kHexadecimal);
        EXPECT_EQ(dialog.GetText(kValue), "9x"); // unparsable text stays
        dialog.Click(kDecimal);
        dialog.Click(kIdCancel);
    });
    page().DoubleClick(kList, kHorzSize);
    EXPECT_EQ(doc.GetRegister(kHorzSize), before);
    EXPECT_EQ(Cell(kHorzSize, 0), "04h   ");

    // The mode chosen last is kept for the next dialog.
    host.dialogScripts.push_back([before](test::FakeDialogHost& dialog) {
        EXPECT_TRUE(dialog.IsChecked(kDecimal));
        EXPECT_EQ(dialog.GetText(kValue), Format("%u", before));
    });
    page().DoubleClick(kList, kHorzSize);
}

} // namespace
} // namespace zlc::ui

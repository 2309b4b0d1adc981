#include "ShellFixture.h"
#include "base/Format.h"
#include "model/RegisterTable.h"
#include "model/SettingTexts.h"
#include "model/SettingsTable.h"

#include <fstream>
#include <sstream>

namespace zlc::ui {
namespace {

constexpr int kGeneral = 0, kRegisters = 5;
constexpr int kList = 1701;
constexpr int kName = 2101, kValue = 2102, kDecimal = 2103, kHexadecimal = 2104;
constexpr int kHorzSize = 0x04, kScratchPad = 0x1A;

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(ZLC_TEST_DATA_DIR) + "/ui/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Registers : public test::ShellFixture {
  protected:
    Registers() { ShowTab(kRegisters); }

    std::string Cell(int row, int column) { return page().RowText(kList, row, column); }
    const std::string& Tip(int row) { return page().State(kList).rowTips.at(size_t(row)); }
    // The note at the top of the Diagnostics box, before the validation text.
    std::string Status() { return shell.state().diagnostics.shownText(); }

    // Types `text` into the dialog of `row` (opened by double click) and
    // presses OK; answers the dialog's result.
    std::optional<int> TypeValue(int row, const std::string& text) {
        host.dialogScripts.push_back([text](test::FakeDialogHost& dialog) {
            dialog.Type(kValue, text);
            dialog.Click(kIdOk);
        });
        page().DoubleClick(kList, row);
        return host.dialog->endResult;
    }

    void ReturnToRegisters() {
        ShowTab(kGeneral);
        ShowTab(kRegisters);
    }
};

TEST_F(Registers, AFreshRunListsEveryRegisterUnmarked) {
    const auto& list = page().State(kList);
    ASSERT_EQ(list.columns.size(), 5u);
    EXPECT_EQ(list.columns[3].title, "Decimal");
    EXPECT_TRUE(list.columns[3].rightAligned);
    ASSERT_EQ(page().ItemCount(kList), 32);
    EXPECT_EQ(Cell(0x1F, 0), "1Fh   ");
    EXPECT_EQ(Tip(0x1F), RegisterBreakdown(doc, 0x1F));
    EXPECT_EQ(shell.state().diagnostics.stickyMessage(), "");
    EXPECT_EQ(Status().find("manually"), std::string::npos);

    // Enter with no row selected opens nothing.
    page().PressEnter(kList);
    EXPECT_EQ(host.dialog, nullptr);
}

TEST_F(Registers, HandEditsAreMarkedAndOverwritesReported) {
    const uint8_t computed = doc.GetRegister(kHorzSize);
    ASSERT_NE(computed, 0x5A);
    host.dialogScripts.push_back([](test::FakeDialogHost& dialog) {
        dialog.Type(kValue, "5A");
        dialog.Click(kIdOk);
    });
    page().SetSelection(kList, kHorzSize);
    page().PressEnter(kList);
    EXPECT_EQ(host.dialog->title, "Modify register 0004h");
    EXPECT_EQ(doc.GetRegister(kHorzSize), 0x5A);
    EXPECT_EQ(Cell(kHorzSize, 0), "04h *");
    EXPECT_EQ(Cell(kHorzSize, 1), "5Ah");
    EXPECT_EQ(Tip(kHorzSize), ReadData("register-tip-modified.txt"));
    EXPECT_EQ(Status().find("manually"), std::string::npos); // nothing overwritten yet

    // The Panel page changes the width, which owns the same register.
    ASSERT_TRUE(SetSetting(doc, SettingId::HorzPanelSize, 640));
    ReturnToRegisters();
    EXPECT_EQ(Cell(kHorzSize, 0), "04h !");
    EXPECT_EQ(Tip(kHorzSize), ReadData("register-tip-overwritten.txt"));
    EXPECT_TRUE(Status().starts_with(
        "1 manually modified registers have been overwritten by other tabs.\n"));

    const uint8_t scratch = doc.GetRegister(kScratchPad);
    EXPECT_EQ(TypeValue(kScratchPad, Format("%X", scratch ^ 0xFF)), 1);
    EXPECT_EQ(Cell(kScratchPad, 0), "1Ah *");
    EXPECT_TRUE(Status().starts_with(
        "1 (out of 2) manually modified registers have been overwritten by other tabs.\n"));

    // Typing the computed value back ends the mark; the overwritten row stays.
    EXPECT_EQ(TypeValue(kScratchPad, Format("%X", scratch)), 1);
    EXPECT_EQ(Cell(kScratchPad, 0), "1Ah   ");
    EXPECT_EQ(Tip(kScratchPad), RegisterBreakdown(doc, kScratchPad));
    EXPECT_TRUE(Status().starts_with("1 manually modified"));

    // A new value typed over an overwritten change marks it modified again.
    EXPECT_EQ(TypeValue(kHorzSize, "11"), 1);
    EXPECT_EQ(Cell(kHorzSize, 0), "04h *");
    EXPECT_EQ(Status().find("manually"), std::string::npos);
}

TEST_F(Registers, OkOnAnUnchangedHandEditChangesNothing) {
    const uint8_t computed = doc.GetRegister(kScratchPad);
    ASSERT_EQ(TypeValue(kScratchPad, Format("%X", static_cast<unsigned>(computed + 1))), 1);
    host.dialogScripts.push_back([](test::FakeDialogHost& dialog) { dialog.Click(kIdOk); });
    page().DoubleClick(kList, kScratchPad);
    EXPECT_EQ(host.dialog->endResult, 0);
    EXPECT_EQ(doc.GetRegister(kScratchPad), computed + 1);
    EXPECT_EQ(Cell(kScratchPad, 0), "1Ah *");
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
        EXPECT_EQ(dialog.State(kValue).textLimit, 8);
        dialog.Click(kDecimal);
        dialog.Click(kIdCancel);
    });
    page().DoubleClick(kList, kHorzSize);
    EXPECT_EQ(doc.GetRegister(kHorzSize), before);
    EXPECT_EQ(Cell(kHorzSize, 0), "04h   ");

    // The mode chosen last is kept for the next dialog.
    host.dialogScripts.push_back([before](test::FakeDialogHost& dialog) {
        EXPECT_TRUE(dialog.IsChecked(kDecimal));
        EXPECT_FALSE(dialog.IsChecked(kHexadecimal));
        EXPECT_EQ(dialog.GetText(kValue), Format("%u", before));
        EXPECT_EQ(dialog.State(kValue).textLimit, 10);
    });
    page().DoubleClick(kList, kHorzSize);
}

// The register keeps the low byte of a wider value, and so does the record:
// showing the page again must not call the change overwritten.
TEST_F(Registers, AValueAboveFFhIsRecordedAsTheByteTheRegisterHolds) {
    ASSERT_EQ(TypeValue(kScratchPad, "1234567A"), 1);
    EXPECT_EQ(doc.GetRegister(kScratchPad), 0x7A);
    ReturnToRegisters();
    EXPECT_EQ(Cell(kScratchPad, 0), "1Ah *");
    EXPECT_EQ(Status().find("manually"), std::string::npos);
}

} // namespace
} // namespace zlc::ui

#include "ui/RegistersPage.h"

#include "model/RegisterTable.h"
#include "ui/ModifyRegisterDialog.h"
#include "ui/Shell.h"

namespace zlc::ui {

namespace {

constexpr int kList = 1701;

} // namespace

void RegistersPage::Create() {
    state_.manualEdits.DetectOverwritten(doc());
    host_.SetListColumns(kList,
                         {{"REG"}, {"Hex"}, {"Binary"}, {"Decimal", true}, {"Register Name"}});
    FillList();
    ReportStatus();
}

void RegistersPage::FillList() {
    host_.ClearItems(kList);
    for (int row = 0; row < ManualEdits::kRows; ++row) {
        state_.manualEdits.RefreshComputed(doc(), row);
        WriteRow(row);
    }
    WriteTooltips();
}

void RegistersPage::WriteRow(int row) {
    const auto columns = RegisterListRow(doc(), row, state_.manualEdits.Mark(row));
    host_.SetRowTexts(kList, row, {columns.begin(), columns.end()});
}

// The breakdown of one register may show fields that reach into the next
// (a size split into a low and a high byte), so every tip is rewritten.
void RegistersPage::WriteTooltips() {
    for (int row = 0; row < ManualEdits::kRows; ++row) {
        host_.SetRowTooltip(kList, row, state_.manualEdits.RowTip(doc(), row));
    }
}

void RegistersPage::ReportStatus() {
    state_.diagnostics.Update(kList, DIAG_STICKY | DIAG_NOT_STICKY,
                              state_.manualEdits.StatusMessage());
}

void RegistersPage::OnRowActivated(int id, int row) {
    if (id != kList || row < 0 || row >= ManualEdits::kRows || state_.shellHost == nullptr) {
        return;
    }
    ModifyRegisterDialog dialog(state_, row);
    if (state_.shellHost->RunModalDialog(dialog) == ModifyRegisterDialog::kRegisterChanged) {
        WriteRow(row);
        WriteTooltips();
        ReportStatus();
    }
}

} // namespace zlc::ui

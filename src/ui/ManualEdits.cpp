#include "ui/ManualEdits.h"

#include "base/Format.h"
#include "model/SettingTexts.h"

namespace zlc::ui {

void ManualEdits::DetectOverwritten(const ConfigDocument& doc) {
    for (int i = 0; i < kRows; ++i) {
        Row& row = rows_[static_cast<size_t>(i)];
        if (row.state == EditState::Modified && doc.GetRegister(i) != row.typed) {
            row.state = EditState::Overwritten;
        }
    }
}

void ManualEdits::RefreshComputed(const ConfigDocument& doc, int row) {
    Row& entry = rows_.at(static_cast<size_t>(row));
    if (entry.state != EditState::Modified) {
        entry.computed = doc.GetRegister(row);
    }
}

void ManualEdits::Record(int row, uint8_t value) {
    Row& entry = rows_.at(static_cast<size_t>(row));
    entry.typed = value;
    entry.state = value != entry.computed ? EditState::Modified : EditState::Unmodified;
}

const char* ManualEdits::Mark(int row) const {
    switch ((*this)[row].state) {
    case EditState::Modified:
        return " *";
    case EditState::Overwritten:
        return " !";
    default:
        return "   ";
    }
}

std::string ManualEdits::StatusMessage() const {
    int modified = 0;
    int overwritten = 0;
    for (const Row& row : rows_) {
        modified += row.state == EditState::Modified ? 1 : 0;
        overwritten += row.state == EditState::Overwritten ? 1 : 0;
    }
    const int total = modified + overwritten;
    if (overwritten == 0) {
        return {};
    }
    if (overwritten == total) {
        return Format("%d manually modified registers have been overwritten by other tabs.\n",
                      overwritten);
    }
    return Format("%d (out of %d) manually modified registers have been overwritten by other "
                  "tabs.\n",
                  overwritten, total);
}

std::string ManualEdits::RowTip(const ConfigDocument& doc, int row) const {
    if (row < 0 || row >= kRows) {
        return {};
    }
    std::string tip = RegisterBreakdown(doc, row);
    const Row& entry = (*this)[row];
    if (entry.state == EditState::Unmodified) {
        return tip;
    }
    tip += "\n" + std::string(50, '_');
    if (entry.state == EditState::Modified) {
        tip += Format("\n[ * ]  You modified this register manually.  This register's \n  value "
                      "would be %08Xh if it was not modified.",
                      static_cast<unsigned>(entry.computed));
    } else {
        tip += Format("\n[ ! ]  You had previously modified this register manually to\n  %08Xh, "
                      "however, when you switched tabs, your\n  modification was overwritten.",
                      static_cast<unsigned>(entry.typed));
    }
    return tip;
}

} // namespace zlc::ui

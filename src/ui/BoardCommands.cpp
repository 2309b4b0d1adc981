#include "ui/BoardCommands.h"

#include "base/Format.h"
#include "board/BoardAccess.h"
#include "board/Differences.h"
#include "ui/DialogTemplates.h"
#include "ui/Shell.h"

#include <algorithm>

namespace zlc::ui {

namespace {

// The board the HAL chooses, as 62740VIRT's would.
const board::BoardTarget kTarget{};

// The differences in columns padded to their widest entry, for reading in
// a window and pasting anywhere.
std::string Columns(const std::vector<board::Difference>& rows) {
    size_t widths[3] = {0, 0, 0};
    for (const board::Difference& row : rows) {
        widths[0] = std::max(widths[0], row.key.size());
        widths[1] = std::max(widths[1], row.name.size());
        widths[2] = std::max(widths[2], row.a.size());
    }
    std::string text;
    for (const board::Difference& row : rows) {
        text += row.key + std::string(widths[0] - row.key.size() + 2, ' ') + row.name +
                std::string(widths[1] - row.name.size() + 2, ' ') + row.a +
                std::string(widths[2] - row.a.size() + 2, ' ') + row.b + "\n";
    }
    return text;
}

std::string CompareText(const ConfigDocument& doc, const ConfigDocument& onBoard) {
    std::vector<board::Difference> rows = board::SettingDifferences(doc, onBoard);
    const auto registers = board::RegisterDifferences(doc, onBoard);
    std::string text =
        Format("The configuration against the board %s:\n\n", kTarget.Name().c_str());
    if (rows.empty() && registers.empty()) {
        text += "No differences: the board holds the configuration's registers.\n";
    } else {
        rows.insert(rows.begin(), {"Id", "Setting or register", "Configuration", "Board"});
        rows.insert(rows.end(), registers.begin(), registers.end());
        text += Columns(rows);
    }
    return text + "\n" + board::NotComparedWithBoard() + "\n";
}

} // namespace

void ApplyToBoard(UiState& state, ShellHost& host) {
    const board::ApplyResult result = board::ApplyToBoard(state.doc.block, kTarget);
    if (!result.ok) {
        host.ShowMessage(MessageIcon::Warning, result.message);
        return;
    }
    state.diagnostics.Update(Commands::ApplyToBoard, DIAG_FORCE,
                             Format("Applied to the board %s: %s\n%s\n", kTarget.Name().c_str(),
                                    preview::DescribeGeometry(result.report).c_str(),
                                    preview::DescribeProgramming(result.report).c_str()));
}

void CompareWithBoard(UiState& state, ShellHost& host) {
    const board::BoardRegisters read = board::ReadBoardRegisters(state.doc.block, kTarget);
    if (!read.ok) {
        host.ShowMessage(MessageIcon::Warning, read.message);
        return;
    }
    host.ShowText("Compare with Board",
                  CompareText(state.doc, board::WithBoardRegisters(state.doc, read.regs)));
}

bool ReadRegistersFromBoard(UiState& state, ShellHost& host, std::string& note) {
    const board::BoardRegisters read = board::ReadBoardRegisters(state.doc.block, kTarget);
    if (!read.ok) {
        host.ShowMessage(MessageIcon::Warning, read.message);
        return false;
    }
    std::string changed;
    for (int index = 0; index < ManualEdits::kRows; ++index) {
        const uint8_t value = read.regs[static_cast<size_t>(index)];
        if (!board::IsHeldByBoard(index) || value == state.doc.GetRegister(index)) {
            continue;
        }
        state.manualEdits.RefreshComputed(state.doc, index);
        state.doc.SetRegister(index, value);
        state.manualEdits.Record(index, value);
        changed +=
            Format("%sREG[%02Xh]", changed.empty() ? "" : ", ", static_cast<unsigned>(index));
    }
    note = changed.empty() ? Format("The board %s holds the configuration's registers.\n",
                                    kTarget.Name().c_str())
                           : Format("Registers read from the board %s: %s.\n",
                                    kTarget.Name().c_str(), changed.c_str());
    return true;
}

} // namespace zlc::ui

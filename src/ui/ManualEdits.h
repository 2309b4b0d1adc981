#pragma once

#include "model/ConfigDocument.h"

#include <array>
#include <cstdint>
#include <string>

namespace zlc::ui {

enum class EditState : uint8_t {
    Unmodified,
    Modified,    // changed by hand
    Overwritten, // changed by hand, then rewritten by another tab or a file
};

// What the user typed into a register by hand, and what the register would
// hold without that change. The other tabs rewrite register fields whenever
// their settings change, so this record is how the Registers tab can tell
// the user that a hand-made change was lost. It is kept for the whole run.
class ManualEdits {
  public:
    static constexpr int kRows = 32;

    struct Row {
        EditState state = EditState::Unmodified;
        uint8_t typed = 0;    // the byte the register received by hand
        uint8_t computed = 0; // the byte it would hold otherwise
    };

    const Row& operator[](int row) const { return rows_.at(static_cast<size_t>(row)); }

    // Marks every hand-made change that the register no longer holds.
    void DetectOverwritten(const ConfigDocument& doc);
    // Takes the register's value as its computed value, unless a hand-made
    // change is in force.
    void RefreshComputed(const ConfigDocument& doc, int row);
    // A byte typed by hand; typing the computed value back ends the mark.
    void Record(int row, uint8_t value);

    // The mark behind the register index in the list.
    const char* Mark(int row) const;
    // The Diagnostics note on overwritten changes; empty when there are none.
    std::string StatusMessage() const;
    // The tooltip of a row: the register's breakdown and, for a row changed
    // by hand, what became of the change. Empty for a negative row.
    std::string RowTip(const ConfigDocument& doc, int row) const;

  private:
    std::array<Row, kRows> rows_{};
};

} // namespace zlc::ui

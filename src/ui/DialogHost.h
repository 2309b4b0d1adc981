#pragma once

#include "ui/ScrollControls.h"

#include <string>
#include <vector>

namespace zlc::ui {

// The buttons that end a modal dialog carry these ids; Esc and the window's
// close button report a click on kIdCancel.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// A column of a list view in report mode.
struct ListColumn {
    std::string title;
    bool rightAligned = false;
};

// The controls of one dialog, addressed by control id. Pages and dialogs act
// on their controls only through this interface, so their logic runs the same
// against the Qt widgets and against the fake host of the tests.
class DialogHost {
  public:
    virtual ~DialogHost() = default;

    // Window text; for a combo box with an edit part, the text of the edit part.
    virtual std::string GetText(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;

    virtual bool IsChecked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual bool IsEnabled(int id) const = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;

    // Items of a combo box or list; for a list view, its rows.
    virtual void ClearItems(int id) = 0;
    virtual void AddItem(int id, const std::string& text) = 0;
    virtual int ItemCount(int id) const = 0;
    virtual std::string ItemText(int id, int index) const = 0;
    // The selected item; -1 when none is, or when the text of a combo box's
    // edit part was typed since the last selection.
    virtual int Selection(int id) const = 0;
    virtual void SetSelection(int id, int index) = 0;

    // Range and position of up-down controls and bars. An up-down control
    // writes its position into its buddy (UpDownBuddy) whenever it is set.
    virtual void SetRange(int id, int low, int high) = 0;
    virtual void SetPosition(int id, int position) = 0;
    virtual int Position(int id) const = 0;
    virtual void SetUpDownSteps(int /*id*/, const UpDownSteps& /*steps*/) {}
    // Ties a bar to an edit field: dragging the bar gives the field the focus
    // and writes the position into it; positions are multiples of `step`.
    virtual void AttachBar(int /*bar*/, int /*buddy*/, int /*step*/) {}
    // The width of a combo box's drop-down list, in pixels.
    virtual void SetDropDownWidth(int /*id*/, int /*pixels*/) {}

    virtual void SetTextLimit(int id, int characters) = 0;
    virtual void SelectAllText(int id) = 0;
    // Gives the focus to a control once the event in progress is done, as a
    // posted request would.
    virtual void RequestFocus(int id) = 0;

    // List views in report mode: the columns, and the texts of a row in
    // column order, written over row `row` or appended when `row` is the row
    // count. Columns are sized to their contents. Selection() answers the
    // row last selected.
    virtual void SetListColumns(int /*id*/, const std::vector<ListColumn>& /*columns*/) {}
    virtual void SetRowTexts(int /*id*/, int /*row*/, const std::vector<std::string>& /*texts*/) {}
    virtual std::string RowText(int /*id*/, int /*row*/, int /*column*/) const { return {}; }
    // The tooltip shown while the pointer is over the row.
    virtual void SetRowTooltip(int /*id*/, int /*row*/, const std::string& /*text*/) {}

    // Modal dialogs only: the title bar's text, and the end of the dialog
    // with the result that RunModalDialog returns. A page ignores both.
    virtual void SetDialogTitle(const std::string& /*title*/) {}
    virtual void EndDialog(int /*result*/) {}
};

// What a page or dialog receives from its controls.
class DialogEvents {
  public:
    virtual ~DialogEvents() = default;
    virtual void OnClicked(int /*id*/) {}
    virtual void OnFocusLost(int /*id*/) {}
    virtual void OnSelectionChanged(int /*id*/) {}
    virtual void OnSelectionConfirmed(int /*id*/) {}
    virtual void OnScrolled(int /*id*/, int /*position*/) {}
    // Enter on a list's selected row, or a double click on a row.
    virtual void OnRowActivated(int /*id*/, int /*row*/) {}
};

} // namespace zlc::ui

#pragma once

#include "ui/DialogHost.h"

#include <QTreeWidget>
#include <string>
#include <vector>

namespace zlc::ui::qt {

// A list view in report mode: columns sized to their contents, one row
// selected at a time across all columns, the row under the pointer
// highlighted, headers that can be dragged into another order but never
// sort. Enter on the row with the focus mark and a double click on a row
// activate it.
class ListViewControl : public QTreeWidget {
    Q_OBJECT

  public:
    explicit ListViewControl(QWidget* parent);

    void SetColumns(const std::vector<ListColumn>& columns);
    void SetRowTexts(int row, const std::vector<std::string>& texts);
    std::string RowText(int row, int column) const;
    void SetRowTooltip(int row, const std::string& text);
    // The selected row; -1 when none is.
    int SelectedRow() const;
    void SelectRow(int row);
    void Clear();

    // The tooltip of the row at a point of the viewport, with the rectangle
    // in which it holds; an empty text where there is no row.
    std::string TooltipAt(const QPoint& viewportPos, QRect* rowRect) const;

  signals:
    void rowActivated(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<bool> rightAligned_;
};

} // namespace zlc::ui::qt

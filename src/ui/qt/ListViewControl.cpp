#include "ui/qt/ListViewControl.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace zlc::ui::qt {

namespace {

// Rows on cyan; the row under the pointer is drawn as a link would be.
constexpr const char* kListStyle = "QTreeView { background: #00FFFF; }"
                                   "QTreeView::item:hover:!selected { color: #0000FF; }";

} // namespace

ListViewControl::ListViewControl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setMouseTracking(true);
    setStyleSheet(kListStyle);
    header()->setSectionsMovable(true);
    header()->setFirstSectionMovable(true); // a tree keeps its first column, a list does not
    header()->setSectionsClickable(false);
    header()->setStretchLastSection(false);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit rowActivated(index.row());
        }
    });
}

void ListViewControl::SetColumns(const std::vector<ListColumn>& columns) {
    QStringList titles;
    rightAligned_.clear();
    for (const ListColumn& column : columns) {
        titles << QString::fromStdString(column.title);
        rightAligned_.push_back(column.rightAligned);
    }
    setColumnCount(static_cast<int>(columns.size()));
    setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        if (rightAligned_[static_cast<size_t>(i)]) {
            headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

void ListViewControl::SetRowTexts(int row, const std::vector<std::string>& texts) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr) {
        if (row != topLevelItemCount()) {
            return;
        }
        item = new QTreeWidgetItem(this);
    }
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        item->setText(i, QString::fromStdString(texts[static_cast<size_t>(i)]));
        if (static_cast<size_t>(i) < rightAligned_.size() &&
            rightAligned_[static_cast<size_t>(i)]) {
            item->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    for (int i = 0; i < columnCount(); ++i) {
        resizeColumnToContents(i);
    }
}

std::string ListViewControl::RowText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->text(column).toStdString() : std::string();
}

// The tip is also the row's description for screen readers.
void ListViewControl::SetRowTooltip(int row, const std::string& text) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        const QString tip = QString::fromStdString(text);
        for (int i = 0; i < columnCount(); ++i) {
            item->setData(i, Qt::ToolTipRole, tip);
            item->setData(i, Qt::AccessibleDescriptionRole, tip);
        }
    }
}

int ListViewControl::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void ListViewControl::SelectRow(int row) {
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        setCurrentItem(item);
    } else {
        clearSelection();
    }
}

void ListViewControl::Clear() {
    clear();
}

std::string ListViewControl::TooltipAt(const QPoint& viewportPos, QRect* rowRect) const {
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid()) {
        return {};
    }
    if (rowRect != nullptr) {
        const QRect cell = visualRect(index);
        *rowRect = QRect(0, cell.top(), viewport()->width(), cell.height());
    }
    return index.data(Qt::ToolTipRole).toString().toStdString();
}

void ListViewControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The row with the focus mark, which Tab into the list gives a mark
        // without selecting it; it becomes the selected row.
        if (QTreeWidgetItem* focused = currentItem()) {
            focused->setSelected(true);
        }
        emit rowActivated(SelectedRow());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace zlc::ui::qt

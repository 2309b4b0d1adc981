#include "ui/qt/ListBox.h"

#include "ui/qt/DialogUnits.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>

namespace zlc::ui::qt {

namespace {

constexpr int kTabStopUnits = 32;
constexpr int kTextMargin = 2;

// Draws an item's text with tab stops, so that the bracketed names of the
// Export list line up in a column.
class TabStopDelegate : public QStyledItemDelegate {
  public:
    TabStopDelegate(int tabStop, QObject* parent)
        : QStyledItemDelegate(parent), tabStop_(tabStop) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setTabStopDistance(tabStop_);
        textOption.setWrapMode(QTextOption::NoWrap);
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette::ColorGroup group =
            (option.state & QStyle::State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        painter->setFont(item.font);
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRectF(option.rect.adjusted(kTextMargin, 0, 0, 0)), text, textOption);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString text = index.data().toString();
        const QFontMetrics metrics(option.font);
        const QStringList parts = text.split('\t');
        int width = metrics.horizontalAdvance(parts.front());
        for (qsizetype i = 1; i < parts.size(); ++i) {
            width = (width / tabStop_ + 1) * tabStop_ + metrics.horizontalAdvance(parts[i]);
        }
        size.setWidth(std::max(size.width(), width + 2 * kTextMargin));
        return size;
    }

  private:
    int tabStop_;
};

} // namespace

QListWidget* CreateListBox(const ControlTemplate& control, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if ((control.style & ControlStyle::Fixed) != 0) {
        list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
    const DialogUnits units(parent->font());
    list->setItemDelegate(new TabStopDelegate(units.X(kTabStopUnits), list));
    return list;
}

} // namespace zlc::ui::qt

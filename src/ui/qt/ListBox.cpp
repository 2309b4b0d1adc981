#include "ui/qt/ListBox.h"

#include "ui/qt/DialogUnits.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <algorithm>

namespace zlc::ui::qt {

namespace {

constexpr int kTabStopUnits = 32;
constexpr int kTextMargin = 2;

// Draws an item's text in columns: what follows the tab characters stands at
// the first tab stop after the longest text before them in the list, so that
// the bracketed names of the Export list line up whole, whatever the font.
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
        textOption.setWrapMode(QTextOption::NoWrap);
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette::ColorGroup group =
            (option.state & QStyle::State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        painter->setFont(item.font);
        painter->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect rect = option.rect.adjusted(kTextMargin, 0, 0, 0);
        const qsizetype tab = text.indexOf('\t');
        painter->drawText(QRectF(rect), text.left(tab), textOption);
        if (tab >= 0) {
            const int column = Column(index.model(), QFontMetrics(item.font));
            painter->drawText(QRectF(rect.adjusted(column, 0, 0, 0)), LastPart(text), textOption);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString text = index.data().toString();
        const QFontMetrics metrics(option.font);
        int width = metrics.horizontalAdvance(text);
        if (text.contains('\t')) {
            width = Column(index.model(), metrics) + metrics.horizontalAdvance(LastPart(text));
        }
        size.setWidth(std::max(size.width(), width + 2 * kTextMargin));
        return size;
    }

  private:
    static QString LastPart(const QString& text) { return text.mid(text.lastIndexOf('\t') + 1); }

    // Where the texts after the tabs begin in this list.
    int Column(const QAbstractItemModel* model, const QFontMetrics& metrics) const {
        int widest = 0;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString text = model->index(row, 0).data().toString();
            const qsizetype tab = text.indexOf('\t');
            if (tab >= 0) {
                widest = std::max(widest, metrics.horizontalAdvance(text.left(tab)));
            }
        }
        return (widest / tabStop_ + 1) * tabStop_;
    }

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

// Every page and dialog, laid out in the default font (and, run again with
// QT_SCALE_FACTOR=2, at twice the size): no caption, value, list entry or
// column header is wider than the space its widget gives it, and no control
// stands outside its parent, at the first size and after growing.
#include "ui/AboutDialog.h"
#include "ui/ConfigureMultipleDialog.h"
#include "ui/ExportDialog.h"
#include "ui/ModifyRegisterDialog.h"
#include "ui/qt/ListViewControl.h"
#include "ui/qt/WhenModal.h"
#include "ui/qt/WindowFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTextDocument>

namespace zlc::ui::qt {
namespace {

QString Plain(QString text) {
    text.replace("&&", "\x01").remove('&').replace("\x01", "&");
    return text;
}

QString Describe(const QWidget* widget) {
    QString name = widget->metaObject()->className();
    const QVariant id = widget->property(kControlIdProperty);
    if (id.isValid()) {
        name += QString(" %1").arg(id.toInt());
    }
    return name;
}

// The width a button's style gives its text.
int ButtonTextRoom(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button) != nullptr) {
        element = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(button) != nullptr) {
        element = QStyle::SE_RadioButtonContents;
    }
    return button->style()->subElementRect(element, &option, button).width();
}

int LabelTextWidth(const QLabel* label) {
    if (label->textFormat() == Qt::RichText) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setHtml(label->text());
        document.setDocumentMargin(0);
        return static_cast<int>(std::ceil(document.idealWidth()));
    }
    return label->fontMetrics().horizontalAdvance(label->text());
}

// What does not fit in one widget, as lines naming the widget.
QStringList TextFaults(const QWidget* widget) {
    QStringList faults;
    const auto check = [&](const QString& text, int needed, int room) {
        if (needed > room) {
            faults
                << QString("%1 \"%2\": %3 > %4").arg(Describe(widget), text).arg(needed).arg(room);
        }
    };
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        const int room = label->contentsRect().width();
        if (label->wordWrap()) {
            check(label->text(), label->heightForWidth(room), label->contentsRect().height());
        } else if (!label->text().isEmpty() && label->pixmap().isNull()) {
            check(label->text(), LabelTextWidth(label), room);
        }
    } else if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        const QString text = Plain(button->text());
        check(text, button->fontMetrics().horizontalAdvance(text), ButtonTextRoom(button));
    } else if (auto* group = qobject_cast<const QGroupBox*>(widget)) {
        const QString title = Plain(group->title());
        check(title, group->fontMetrics().horizontalAdvance(title) + 16, group->width());
    } else if (auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        const QRect room =
            edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        check(edit->text(), edit->fontMetrics().horizontalAdvance(edit->text()), room.width() - 4);
    } else if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
        QAbstractItemView* view = combo->view();
        const int room = std::max(view->minimumWidth(), combo->width()) - 2 * view->frameWidth() -
                         view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        for (int i = 0; i < combo->count(); ++i) {
            check(combo->itemText(i), view->sizeHintForIndex(combo->model()->index(i, 0)).width(),
                  room);
        }
    } else if (auto* list = qobject_cast<const QListWidget*>(widget)) {
        for (int i = 0; i < list->count(); ++i) {
            check(list->item(i)->text(),
                  list->sizeHintForRow(i) > 0
                      ? list->sizeHintForIndex(list->model()->index(i, 0)).width()
                      : 0,
                  list->viewport()->width());
        }
        int rows = 0;
        for (int i = 0; i < list->count(); ++i) {
            rows += list->sizeHintForRow(i);
        }
        if (list->count() <= 8) { // short lists show every row
            check("rows", rows, list->viewport()->height());
        }
    } else if (auto* view = qobject_cast<const ListViewControl*>(widget)) {
        const QHeaderView* header = view->header();
        for (int i = 0; i < header->count(); ++i) {
            const QString title = view->headerItem()->text(i);
            check(title,
                  header->fontMetrics().horizontalAdvance(title) +
                      2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin),
                  header->sectionSize(i));
        }
    } else if (auto* tabs = qobject_cast<const QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            check(tabs->tabText(i), tabs->tabRect(i).right() + 1, tabs->width());
        }
    }
    return faults;
}

// Every fault below `top`: texts that do not fit, children outside parents.
QStringList LayoutFaults(QWidget* top) {
    QStringList faults;
    for (QWidget* widget : top->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(top) || widget->isWindow() ||
            qobject_cast<QScrollBar*>(widget) != nullptr) {
            continue;
        }
        faults << TextFaults(widget);
        const QWidget* parent = widget->parentWidget();
        if (parent != nullptr && !parent->rect().contains(widget->geometry())) {
            faults << QString("%1 outside %2: (%3,%4 %5x%6) in %7x%8")
                          .arg(Describe(widget), Describe(parent))
                          .arg(widget->x())
                          .arg(widget->y())
                          .arg(widget->width())
                          .arg(widget->height())
                          .arg(parent->width())
                          .arg(parent->height());
        }
    }
    return faults;
}

// The widest list of a dialog, to see it grow.
int ListWidth(QWidget* dialog) {
    int widest = 0;
    for (QWidget* list : dialog->findChildren<QListWidget*>()) {
        widest = std::max(widest, list->width());
    }
    return widest;
}

class LayoutTest : public WindowFixture {
  protected:
    // With the shipped panels, whose names are the longest entries.
    LayoutTest() {
        LoadPanelDefinitions(panels, ZLC_BIN_DIR, [](const std::string& m) { FAIL() << m; });
    }

    // Runs `logic` as a modal dialog, checks it at its first size and grown,
    // then closes it.
    void CheckDialog(ModalDialog& logic, const QString& title) {
        bool checked = false;
        WhenModal(title, [&checked, title](QWidget* dialog) {
            EXPECT_EQ(LayoutFaults(dialog), QStringList()) << title.toStdString();
            const int listWidth = ListWidth(dialog);
            if (dialog->minimumSize() != dialog->maximumSize()) {
                dialog->resize(dialog->size() + QSize(160, 120));
                QApplication::processEvents();
                EXPECT_EQ(LayoutFaults(dialog), QStringList()) << title.toStdString() << " grown";
                if (listWidth > 0) {
                    EXPECT_GT(ListWidth(dialog), listWidth) << title.toStdString();
                }
            }
            checked = true;
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        window->RunModalDialog(logic);
        EXPECT_TRUE(checked) << title.toStdString();
    }
};

TEST_F(LayoutTest, EveryPageFitsItsTextsAndTheWindowGrowsItsDiagnostics) {
    for (int tab = 0; tab < window->tabBar()->count(); ++tab) {
        ClickTab(tab);
        EXPECT_EQ(LayoutFaults(window.get()), QStringList()) << tab;
    }
    const int before = window->diagnosticsBox()->height();
    window->resize(window->size() + QSize(200, 150));
    QApplication::processEvents();
    EXPECT_EQ(window->diagnosticsBox()->height(), before + 150);
    EXPECT_EQ(LayoutFaults(window.get()), QStringList());
}

TEST_F(LayoutTest, EveryDialogFitsItsTexts) {
    ModifyRegisterDialog modify(window->shell().state(), 0x1A);
    CheckDialog(modify, "Modify register 001Ah");
    window->shell().configureDirectory() = dir.path();
    ConfigureMultipleDialog configure(doc, *window, window->shell().configureDirectory(),
                                      {"/home/user/boards/PANEL.EXE"});
    CheckDialog(configure, "Configure Multiple");
    int picture = AboutIds::FirstPicture;
    AboutDialog about(picture);
    CheckDialog(about, "About 62740CFG");
    ExportDialog exportDialog(1000);
    CheckDialog(exportDialog, "Export");
    unsigned mode = 1000;
    WinCeOptionsDialog options(mode);
    CheckDialog(options, "WinCE Header File Export Options");
}

} // namespace
} // namespace zlc::ui::qt

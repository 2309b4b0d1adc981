// What a screen reader and every tool that drives the window through the
// accessibility tree find, and how read-only values look.
#include "cases/CaseFile.h"
#include "ui/qt/WindowFixture.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QToolTip>
#include <map>

namespace zlc::ui::qt {
namespace {

using AccessibilityTest = WindowFixture;
using zlc::test::Case;

// Every interface below `root` that stands for a control of a template.
void CollectControls(QAccessibleInterface* root, std::map<int, QAccessibleInterface*>& found) {
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child == nullptr) {
            continue;
        }
        const QVariant id =
            child->object() != nullptr ? child->object()->property(kControlIdProperty) : QVariant();
        if (id.isValid() && id.toInt() != kNoId) {
            found[id.toInt()] = child;
        }
        CollectControls(child, found);
    }
}

// What a screen reader announces a control by: its name, or for the roles
// that are named by their value on this platform (a combo box), the name of
// the label that labels it.
QString SpokenName(QAccessibleInterface* control) {
    if (control->role() == QAccessible::ComboBox) {
        const auto labels = control->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    return control->text(QAccessible::Name);
}

// Each control is announced by its own caption and described by its help
// text, also while hover tooltips are switched off.
class AccessibleNames : public WindowFixture, public ::testing::WithParamInterface<Case> {};
TEST_P(AccessibleNames, ControlsCarryTheirCaptionAndHelpText) {
    ClickTab(static_cast<int>(GetParam().Number("tab")));
    std::map<int, std::string> help;
    for (const auto& [id, name] : GetParam().values) {
        help[std::atoi(id.c_str())] = window->shell().TooltipText(std::atoi(id.c_str()));
    }
    window->TriggerCommand(Commands::EnableTooltips);
    std::map<int, QAccessibleInterface*> controls;
    CollectControls(QAccessible::queryAccessibleInterface(window.get()), controls);
    for (const auto& [id, control] : controls) {
        if (!control->state().focusable || window->PageControl(id) == nullptr) {
            continue;
        }
        ASSERT_TRUE(GetParam().Has(std::to_string(id))) << "no name for " << id;
        EXPECT_EQ(SpokenName(control), QString::fromStdString(GetParam()[std::to_string(id)]))
            << id;
        const QString description = control->text(QAccessible::Description);
        EXPECT_TRUE(description.endsWith(QString::fromStdString(help[id])) && !help[id].empty())
            << id << ": " << description.toStdString();
    }
}
ZLC_CASES(AccessibleNames, "ui/accessible-names.txt");

// Radio buttons and check boxes are named by their own text; the caption of
// the group they sit in goes with them in their description.
TEST_F(AccessibilityTest, GroupCaptionsReachTheirControls) {
    ClickTab(1);
    auto* depth = QAccessible::queryAccessibleInterface(window->PageControl(1303));
    EXPECT_TRUE(depth->text(QAccessible::Description).startsWith("Color depth"));
    EXPECT_TRUE(depth->relations(QAccessible::Label).isEmpty());
    auto* box = QAccessible::queryAccessibleInterface(window->diagnosticsBox());
    EXPECT_EQ(box->text(QAccessible::Name), "Diagnostics");
}

TEST_F(AccessibilityTest, AboutItemReadsItsFinalTextBeforeTheMenuOpens) {
    EXPECT_NE(MenuItem("&Help", "&About 62740CFG..."), nullptr);
}

// Pixels drawn in the value colour.
int DarkBluePixels(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == QColor(0, 0, 0xAF) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(AccessibilityTest, ReadOnlyValueShowsItsStateAndPlainTooltips) {
    QWidget* address = window->PageControl(1207);
    ASSERT_FALSE(address->isEnabled());
    EXPECT_EQ(DarkBluePixels(address), 0) << "greyed like the other fields";
    address->setEnabled(true);
    EXPECT_GT(DarkBluePixels(address), 0);

    const QPoint middle = address->rect().center();
    QHelpEvent help(QEvent::ToolTip, middle, address->mapToGlobal(middle));
    QApplication::sendEvent(address, &help);
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible()) {
            tip = w;
        }
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(DarkBluePixels(tip), 0);
    QToolTip::hideText();
}

} // namespace
} // namespace zlc::ui::qt

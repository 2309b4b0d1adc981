#include "model/SettingsTable.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/ScriptedDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace zlc::ui::qt {
namespace {

constexpr int kPanelTab = 3;

// The real window with the panels shipped beside the programs, on a copy of
// the virtual-screen program, which carries a configuration block.
class PanelPageQtTest : public ::testing::Test {
  protected:
    PanelPageQtTest() {
        LoadPanelDefinitions(panels, ZLC_BIN_DIR, [](const std::string& m) { ADD_FAILURE() << m; });
        std::filesystem::copy_file(std::string(ZLC_BIN_DIR) + "/62740VIRT", file);
        auto dialogs = std::make_unique<test::ScriptedDialogs>();
        answers = dialogs->answers;
        messages = dialogs->messages;
        window = std::make_unique<MainWindow>(doc, panels, std::move(dialogs));
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        answers->push_back(file);
        window->TriggerCommand(Commands::Open);
        EXPECT_TRUE(messages->empty());
        QTabBar* tabs = window->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(kPanelTab).center());
    }

    template <typename Widget> Widget* Control(int id) {
        auto* widget = qobject_cast<Widget*>(window->PageControl(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    zlc::test::TempDir dir;
    const std::string file = dir / "VIRT.ELF";
    ConfigDocument doc;
    PanelList panels;
    std::unique_ptr<MainWindow> window;
    std::shared_ptr<std::deque<std::string>> answers;
    std::shared_ptr<std::vector<std::string>> messages;
};

TEST_F(PanelPageQtTest, ChosenPredefinedPanelIsSavedIntoTheFile) {
    auto* list = Control<QComboBox>(1530);
    ASSERT_NE(list, nullptr);
    const int entry = list->findText("Sharp LM64P89 640x480 mono dual STN");
    ASSERT_GE(entry, 0);
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    EXPECT_GE(view->width(), 200);
    const QModelIndex index = view->model()->index(entry, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QApplication::processEvents();
    EXPECT_EQ(list->currentIndex(), entry);
    EXPECT_EQ(Control<QComboBox>(1514)->currentText(), "640");
    EXPECT_EQ(Control<QLineEdit>(1516)->text(), "64");

    window->TriggerCommand(Commands::Save);
    ASSERT_EQ(messages->size(), 1u);
    const auto result =
        zlc::test::RunProgram("zlc62740", {"--in", file, "get", "Horizontal Panel Size",
                                           "Vertical Panel Size", "TFT/STN"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "640\n480\nSTN\n");
}

TEST_F(PanelPageQtTest, BarsAndArrowsWriteTheirFieldAndSetting) {
    auto* bar = Control<QProgressBar>(1518);
    auto* field = Control<QLineEdit>(1516);
    ASSERT_TRUE(bar && field);
    EXPECT_EQ(bar->accessibleName(), "Horizontal Non-Display Period");
    EXPECT_TRUE(bar->accessibleDescription().startsWith("Specifies the horizontal non-display"));
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(0, bar->height() / 2));
    EXPECT_EQ(field->text(), "32");
    EXPECT_TRUE(field->hasFocus());
    QTest::mouseMove(bar, QPoint(bar->width() / 3, bar->height() / 2));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() / 3, bar->height() / 2));
    const uint32_t dragged = GetSetting(doc, SettingId::HorzNonDisplay);
    EXPECT_EQ(dragged % 8, 0u);
    EXPECT_GT(dragged, 32u);
    EXPECT_EQ(field->text(), QString::number(dragged));
    EXPECT_EQ(field->selectedText(), field->text());

    // The Up key in the field works the arrows beside it.
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(GetSetting(doc, SettingId::HorzNonDisplay), dragged + 8);
    EXPECT_EQ(bar->value(), static_cast<int>(dragged + 8));
    EXPECT_EQ(window->PageControl(1528)->property("text").toString(),
              QString(" %1 Hz").arg(GetSetting(doc, SettingId::FrameRate)));
}

} // namespace
} // namespace zlc::ui::qt

#include "model/SettingsTable.h"
#include "support/BlockImages.h"
#include "ui/qt/WindowFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>

namespace zlc::ui::qt {
namespace {

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, InvalidInputHoldsTheTabUntilCorrected) {
    EXPECT_EQ(window->windowTitle(), "ZLC62740 Configuration Utility  (Build 9)");
    Click(1206); // User-Defined
    EXPECT_TRUE(window->PageControl(1208)->isEnabled());

    TypeAndLeave(1208, "12x");
    EXPECT_EQ(Diagnostics(), "ERROR: \"12x\" is not a valid Phys Buff Addr!");
    QApplication::processEvents();
    auto* edit = qobject_cast<QLineEdit*>(window->PageControl(1208));
    EXPECT_EQ(edit->text(), "00000000");
    EXPECT_TRUE(edit->hasFocus());

    ClickTab(2);
    EXPECT_EQ(window->tabBar()->currentIndex(), 0);
    EXPECT_EQ(window->shell().currentTab(), 0);

    TypeAndLeave(1208, "200000");
    EXPECT_EQ(edit->text(), "00200000");
    EXPECT_EQ(Diagnostics(), "");
    EXPECT_EQ(GetSetting(doc, SettingId::PhysMemAddr), 0x200000u);

    ClickTab(2);
    EXPECT_EQ(window->shell().currentTab(), 2);
    ASSERT_NE(window->PageControl(1401), nullptr);
}

TEST_F(MainWindowTest, OpensChangesAndSavesARealFile) {
    char name[] = "/tmp/zlc-window-XXXXXX.exe";
    const int fd = mkstemps(name, 4);
    const auto image = zlc::test::ImageWith(2048, 700, zlc::test::BlockBytes(DefaultConfigBlock()));
    ASSERT_EQ(write(fd, image.data(), image.size()), static_cast<ssize_t>(image.size()));
    close(fd);

    answers->push_back(name);
    window->TriggerCommand(Commands::Open);
    ASSERT_TRUE(messages->empty()) << messages->front();
    EXPECT_TRUE(window->windowTitle().startsWith(QString(name).section('/', -1) + " - "));

    ClickTab(1);
    Click(1302); // 2 bpp
    EXPECT_EQ(GetSetting(doc, SettingId::BitsPerPixel), 2u);
    window->TriggerCommand(Commands::Save);
    ASSERT_EQ(messages->size(), 1u);
    EXPECT_EQ(messages->back(), std::string("Configuration data saved in file \"") + name + "\".");

    const auto result = zlc::test::RunProgram(
        "zlc62740", {"--in", name, "get", "Bits-Per-Pixel", "Line Byte Count"});
    std::remove(name);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "2\n80\n");
}

TEST_F(MainWindowTest, TooltipsComeFromTheShell) {
    EXPECT_EQ(window->shell().TooltipText(1208).substr(0, 38),
              "Starting address of the display buffer");
    window->TriggerCommand(Commands::EnableTooltips);
    EXPECT_EQ(window->shell().TooltipText(1208), "");
}

} // namespace
} // namespace zlc::ui::qt

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

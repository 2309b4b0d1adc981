#include "files/ConfigFile.h"
#include "model/SettingsTable.h"
#include "panels/PanelList.h"
#include "support/BlockImages.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace zlc::ui::qt {
namespace {

// Runs `action` on the first modal window whose title is `title`, once it is
// up; the action may open further dialogs.
void WhenModal(const QString& title, std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, title, action] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr || window->windowTitle() != title || !window->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        action(window);
    });
    timer->start();
}

QPushButton* ButtonNamed(QWidget* window, const QString& text) {
    for (auto* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

class ExportQtTest : public ::testing::Test {
  protected:
    ConfigDocument doc;
    PanelList panels;
    MainWindow window{doc, panels};
    zlc::test::TempDir dir;
};

TEST_F(ExportQtTest, ExportsAppCfgThroughTheExportAndSaveAsDialogs) {
    SetSetting(doc, SettingId::HorzPanelSize, 640);
    const std::string chosen = dir / "appcfg.h";
    WhenModal("Export", [&chosen](QWidget* exportDialog) {
        auto* list = exportDialog->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 6);
        EXPECT_EQ(list->currentRow(), 0);
        WhenModal("Export As", [&chosen](QWidget* saveAs) {
            EXPECT_NE(ButtonNamed(saveAs, "&Export"), nullptr);
            ASSERT_NE(ButtonNamed(saveAs, "Pre&view"), nullptr);
            EXPECT_FALSE(ButtonNamed(saveAs, "&Options")->isEnabled());
            auto* name = saveAs->findChild<QLineEdit*>("fileNameEdit");
            EXPECT_EQ(name->text(), "appcfg.h");
            // Typed without its extension, which the dialog adds.
            name->setText(QString::fromStdString(chosen).chopped(2));
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::keyClick(list, Qt::Key_Return); // the first entry, at once
    });
    window.TriggerCommand(Commands::Export);

    // The tool is given the window's configuration through a program file.
    const std::string program = dir / "program.exe";
    zlc::test::WriteFile(
        program, zlc::test::ImageWith(2048, 640, zlc::test::BlockBytes(DefaultConfigBlock())));
    ASSERT_TRUE(SaveConfigFile(doc, program, std::nullopt, false).ok);
    const std::string fromTool = dir / "tool.h";
    const auto result =
        zlc::test::RunProgram("zlc62740", {"--in", program, "export", "appcfg.h", "-o", fromTool});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string exported = zlc::test::ReadText(chosen);
    EXPECT_FALSE(exported.empty());
    EXPECT_EQ(exported, zlc::test::ReadText(fromTool));
}

TEST_F(ExportQtTest, TheWinCeOptionsSetTheNameInTheSaveAsDialog) {
    QString nameAfterOptions;
    WhenModal("Export", [&nameAfterOptions](QWidget* exportDialog) {
        auto* list = exportDialog->findChild<QListWidget*>();
        list->setCurrentRow(2);
        WhenModal("Export As", [&nameAfterOptions](QWidget* saveAs) {
            auto* name = saveAs->findChild<QLineEdit*>("fileNameEdit");
            EXPECT_EQ(name->text(), "mode0.h");
            name->setText("typed.h");
            WhenModal("WinCE Header File Export Options", [](QWidget* options) {
                auto* spin = options->findChild<QSpinBox*>();
                spin->setFocus();
                for (int i = 0; i < 3; ++i) {
                    QTest::keyClick(spin, Qt::Key_Up);
                }
                QTest::keyClicks(spin, "9"); // the field takes no typing
                QTest::keyClick(spin, Qt::Key_Return);
            });
            ButtonNamed(saveAs, "&Options")->click();
            nameAfterOptions = name->text();
            QTest::keyClick(saveAs, Qt::Key_Escape);
        });
        QTest::keyClick(list, Qt::Key_Return);
    });
    window.TriggerCommand(Commands::Export);
    EXPECT_EQ(nameAfterOptions, "mode3.h");
    EXPECT_EQ(window.shell().exportSession().modeNumber, 3u);
}

} // namespace
} // namespace zlc::ui::qt

#include "export/Export.h"
#include "model/SettingsTable.h"
#include "ui/qt/WhenModal.h"
#include "ui/qt/WindowFixture.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace zlc::ui::qt {
namespace {

QPushButton* ButtonNamed(QWidget* window, const QString& text) {
    for (auto* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

class ExportQtTest : public WindowFixture {
  protected:
    ExportQtTest() : WindowFixture(true) {}
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
            EXPECT_FALSE(
                qobject_cast<QFileDialog*>(saveAs)->testOption(QFileDialog::DontConfirmOverwrite));
            auto* name = saveAs->findChild<QLineEdit*>("fileNameEdit");
            EXPECT_EQ(name->text(), "appcfg.h");
            // Typed without its extension, which the dialog adds.
            name->setText(QString::fromStdString(chosen).chopped(2));
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::keyClick(list, Qt::Key_Return); // the first entry, at once
    });
    window->TriggerCommand(Commands::Export);
    EXPECT_EQ(zlc::test::ReadText(chosen),
              ToCrLf(GenerateExport(doc, ExportTargetNumber::AppCfg, 9, 0)));
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
                // The number opens selected: typing replaces it.
                auto* spin = options->findChild<QSpinBox*>();
                ASSERT_EQ(QApplication::focusWidget(), spin);
                QTest::keyClicks(spin, "42");
                EXPECT_EQ(spin->value(), 42);
                QTest::keyClick(spin, Qt::Key_Up);
                EXPECT_EQ(spin->value(), 43);
                QTest::keyClick(spin, Qt::Key_End);
                EXPECT_EQ(spin->value(), 1000);
                QTest::keyClick(spin, Qt::Key_Return);
            });
            ButtonNamed(saveAs, "&Options")->click();
            nameAfterOptions = name->text();
            QTest::keyClick(saveAs, Qt::Key_Escape);
        });
        QTest::keyClick(list, Qt::Key_Return);
    });
    window->TriggerCommand(Commands::Export);
    EXPECT_EQ(nameAfterOptions, "mode1000.h");
    EXPECT_EQ(window->shell().exportSession().modeNumber, 1000u);
}

} // namespace
} // namespace zlc::ui::qt

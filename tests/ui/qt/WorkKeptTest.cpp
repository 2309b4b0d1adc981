// No work is lost without a word: the question before the document goes, a
// failed save that leaves the ways to save open, a preview that says why it
// showed nothing.
#include "files/ConfigFile.h"
#include "model/SettingsTable.h"
#include "support/BlockImages.h"
#include "ui/qt/WhenModal.h"
#include "ui/qt/WindowFixture.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

namespace zlc::ui::qt {
namespace {

constexpr int kPanelTab = 3;
constexpr int kWidth = 1514;

uint32_t WidthIn(const std::string& file) {
    ConfigDocument saved;
    EXPECT_TRUE(LoadConfigFile(saved, file).ok) << file;
    return GetSetting(saved, SettingId::HorzPanelSize);
}

class WorkKeptTest : public WindowFixture {
  protected:
    // Opens a configurable file of the test's own and widens the panel.
    void OpenAndChange() {
        file = dir / "board.exe";
        zlc::test::WriteFile(
            file, zlc::test::ImageWith(2048, 640, zlc::test::BlockBytes(DefaultConfigBlock())));
        Open(file);
        before = zlc::test::ReadFile(file);
        ClickTab(kPanelTab);
        TypeAndLeave(kWidth, "640");
    }

    // Answers the next question with a click on `button`, once it is asked.
    void AnswerWith(QMessageBox::StandardButton button) {
        WhenModal("62740CFG", [this, button](QWidget* shown) {
            auto* box = qobject_cast<QMessageBox*>(shown);
            ASSERT_NE(box, nullptr);
            questions << box->text();
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        });
    }

    std::string file;
    std::vector<uint8_t> before;
    QStringList questions;
};

TEST_F(WorkKeptTest, TheTitleMarksChangesUntilTheyAreSaved) {
    OpenAndChange();
    EXPECT_TRUE(window->windowTitle().startsWith("board.exe[*] - "));
    EXPECT_TRUE(window->isWindowModified());
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(WidthIn(file), 640u);
}

// Cancel keeps everything; Discard lets the window go with the file as it
// was; Save (the default, Enter) writes the file first.
TEST_F(WorkKeptTest, QuittingAsksWhetherToSaveAndFollowsTheAnswer) {
    OpenAndChange();
    AnswerWith(QMessageBox::Cancel);
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(questions, QStringList{"Save changes to board.exe before closing?"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(zlc::test::ReadFile(file), before);
    EXPECT_EQ(GetSetting(doc, SettingId::HorzPanelSize), 640u);

    AnswerWith(QMessageBox::Cancel);
    window->TriggerCommand(Commands::Open);
    EXPECT_EQ(questions.size(), 2);
    EXPECT_TRUE(scripted->requests.size() == 1u) << "no file was asked for after Cancel";

    WhenModal("62740CFG", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    window->close(); // the title bar's close button
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(WidthIn(file), 640u);
}

TEST_F(WorkKeptTest, DiscardClosesAndLeavesTheFileAsItWas) {
    OpenAndChange();
    AnswerWith(QMessageBox::Discard);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(zlc::test::ReadFile(file), before);
}

// A failed save keeps the file name, Save and Save As, and the window: the
// close question's Save that fails does not close it.
TEST_F(WorkKeptTest, AFailedSaveKeepsTheWaysToSave) {
    OpenAndChange();
    std::filesystem::remove(file);
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(scripted->messages.size(), 1u);
    EXPECT_TRUE(window->windowTitle().startsWith("board.exe[*] - "));
    EXPECT_TRUE(MenuItem("&File", "&Save")->isEnabled());
    EXPECT_TRUE(MenuItem("&File", "Save &As...")->isEnabled());

    AnswerWith(QMessageBox::Save);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(scripted->messages.size(), 2u);

    // The cause mended by writing the file anew: another program's file now,
    // so the save asks before it overwrites it, and then works.
    zlc::test::WriteFile(file, before);
    QApplication::processEvents(); // the window's activation comes back
    AnswerWith(QMessageBox::Yes);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(questions.back().contains("was changed by another program"));
    EXPECT_EQ(WidthIn(file), 640u);
}

class PreviewQtTest : public WindowFixture {
  protected:
    PreviewQtTest() : WindowFixture(true) {
        window->shell().exportSession().previewBase = dir.path();
        const char* visual = std::getenv("VISUAL");
        savedVisual = visual != nullptr ? std::optional<std::string>(visual) : std::nullopt;
    }
    ~PreviewQtTest() override {
        if (savedVisual) {
            ::setenv("VISUAL", savedVisual->c_str(), 1);
        } else {
            ::unsetenv("VISUAL");
        }
    }
    std::optional<std::string> savedVisual;
};

// An opener that finds no program for the file says so by its status; the
// message names the file, which is there to be opened by hand.
TEST_F(PreviewQtTest, AFailingOpenerIsReportedWithTheFileWritten) {
    const std::string opener = dir / "opener";
    zlc::test::WriteFile(opener, std::string("#!/bin/sh\nexit 4\n"));
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    ::setenv("VISUAL", opener.c_str(), 1);
    QString message;
    WhenModal("Export", [&message](QWidget* exportDialog) {
        exportDialog->findChild<QListWidget*>()->setCurrentRow(1); // chip.h
        WhenModal("Export As", [&message](QWidget* saveAs) {
            WhenModal("62740CFG", [&message, saveAs](QWidget* box) {
                message = qobject_cast<QMessageBox*>(box)->text();
                QTest::keyClick(box, Qt::Key_Return);
                QTimer::singleShot(0, saveAs,
                                   [saveAs] { QTest::keyClick(saveAs, Qt::Key_Escape); });
            });
            for (auto* button : saveAs->findChildren<QPushButton*>()) {
                if (button->text() == "Pre&view") {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
        });
        QTest::keyClick(exportDialog->findChild<QListWidget*>(), Qt::Key_Return);
    });
    window->TriggerCommand(Commands::Export);
    const std::string written = dir / "62740CFG/chip.h";
    EXPECT_EQ(message.toStdString(),
              "Failed to preview file " + written + "\n\n" + opener + " ended with exit status 4.");
    EXPECT_TRUE(std::filesystem::exists(written));
}

} // namespace
} // namespace zlc::ui::qt

// 62740CFG runs under the user's locale (QApplication takes it from the
// environment). CTest starts this program with LC_ALL=tr_TR.UTF-8, where the
// letter case of 'i' and 'I' is not the ASCII one; file types must still be
// told by their ASCII extension.
#include "model/ConfigBlock.h"
#include "support/BlockImages.h"
#include "support/TempDir.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QTest>
#include <clocale>
#include <cwctype>
#include <gtest/gtest.h>

namespace zlc::ui::qt {
namespace {

// Answers the file choices from a list and records every request and message.
class RecordingDialogs : public Dialogs {
  public:
    std::optional<std::string> ChooseFile(QWidget*, const FileDialogRequest& request) override {
        requests->push_back(request);
        if (answers->empty()) {
            return std::nullopt;
        }
        std::string answer = answers->front();
        answers->erase(answers->begin());
        return answer;
    }
    void ShowMessage(QWidget*, MessageIcon, const std::string& text) override {
        messages->push_back(text);
    }

    std::shared_ptr<std::vector<std::string>> answers =
        std::make_shared<std::vector<std::string>>();
    std::shared_ptr<std::vector<FileDialogRequest>> requests =
        std::make_shared<std::vector<FileDialogRequest>>();
    std::shared_ptr<std::vector<std::string>> messages =
        std::make_shared<std::vector<std::string>>();
};

TEST(TurkishLocale, OpensAnIdpFileAndOffersItsOwnSaveAsFilter) {
    // Without the Turkish case rules in force this test would prove nothing.
    ASSERT_STREQ(std::setlocale(LC_CTYPE, nullptr), "tr_TR.UTF-8");
    ASSERT_EQ(std::towupper(L'i'), static_cast<std::wint_t>(0x130)); // dotted capital I

    const test::TempDir dir;
    const std::string name = dir / "x.idp";
    test::WriteFile(name, test::ImageWith(2048, 700, test::BlockBytes(DefaultConfigBlock())));

    ConfigDocument doc;
    PanelList panels;
    auto dialogs = std::make_unique<RecordingDialogs>();
    const auto answers = dialogs->answers;
    const auto requests = dialogs->requests;
    const auto messages = dialogs->messages;
    MainWindow window(doc, panels, std::move(dialogs));
    window.show();

    answers->push_back(name);
    window.TriggerCommand(Commands::Open);
    ASSERT_TRUE(messages->empty()) << messages->front();
    EXPECT_TRUE(window.windowTitle().startsWith("x.idp - "));

    window.TriggerCommand(Commands::SaveAs); // answered with Cancel
    ASSERT_EQ(requests->size(), 2u);
    const std::vector<FileFilter>& filters = requests->back().filters;
    ASSERT_FALSE(filters.empty());
    EXPECT_EQ(filters.front().description, "IDP Files");
    EXPECT_EQ(filters.front().patterns, "*.IDP");
}

} // namespace
} // namespace zlc::ui::qt

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

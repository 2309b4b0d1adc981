// What 62740CFG's saves do when another program changed the file since it
// was opened, or holds its lock.
#include "ui/GuardedSave.h"

#include "FakeHosts.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zlc::ui {
namespace {

// Answers the question with `answer` and presses Cancel as soon as a wait
// is shown.
class AskingHost : public test::FakeShellHost {
  public:
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    void BeginWait(const std::string& text) override { waits.push_back(text); }
    bool WaitGoesOn() override { return false; }
    void EndWait() override { ++ended; }

    bool answer = false;
    std::vector<std::string> questions;
    std::vector<std::string> waits;
    int ended = 0;
};

class GuardedSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        zlc::test::WriteFile(
            path, zlc::test::ImageWith(2048, 640, zlc::test::BlockBytes(DefaultConfigBlock())));
        opened = IdentityNow(path);
        changed.SetRegister(4, 0x4F);
    }

    zlc::test::TempDir dir;
    const std::string path = dir / "program.exe";
    platform::FileIdentity opened;
    ConfigDocument changed;
    AskingHost host;
};

TEST_F(GuardedSaveTest, FileChangedSinceItWasOpenedIsOverwrittenOnlyWhenTheUserAgrees) {
    const std::vector<uint8_t> theirs =
        zlc::test::ImageWith(4096, 100, zlc::test::BlockBytes(DefaultConfigBlock()));
    zlc::test::WriteFile(path, theirs);
    EXPECT_FALSE(GuardedSave(host, changed, path, opened, std::nullopt));
    EXPECT_EQ(host.questions,
              std::vector<std::string>{"File \"" + path +
                                       "\" was changed by another program after it was "
                                       "opened.\n\nDo you want to overwrite it?"});
    EXPECT_EQ(zlc::test::ReadFile(path), theirs);

    host.answer = true;
    const auto saved = GuardedSave(host, changed, path, opened, std::nullopt);
    ASSERT_TRUE(saved && saved->ok);
    EXPECT_NE(zlc::test::ReadFile(path), theirs);
    // Unchanged since: no question.
    EXPECT_TRUE(GuardedSave(host, changed, path, IdentityNow(path), std::nullopt));
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(GuardedSaveTest, LockWaitIsShownAndCancelWritesNothing) {
    const auto before = zlc::test::ReadFile(path);
    const int other = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_FALSE(GuardedSave(host, changed, path, opened, std::nullopt));
    EXPECT_EQ(host.waits, std::vector<std::string>{"Waiting for another program to finish with " +
                                                   path + "\u2026"});
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(zlc::test::ReadFile(path), before);
    ::close(other);
}

} // namespace
} // namespace zlc::ui

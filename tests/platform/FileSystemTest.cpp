#include "platform/FileSystem.h"

#include "platform/Opener.h"
#include "support/Environment.h"
#include "support/TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace zlc::platform {
namespace {

TEST(Platform, ProgramAndTemporaryDirectories) {
    EXPECT_EQ(std::filesystem::canonical(ProgramDirectory()),
              std::filesystem::canonical(ZLC_BIN_DIR));

    const test::ScopedVariable tmpdir("TMPDIR", "/var/tmp/work//");
    EXPECT_EQ(TemporaryDirectory(), "/var/tmp/work");
    tmpdir.Set("");
    EXPECT_EQ(TemporaryDirectory(), "/tmp");
    tmpdir.Set(nullptr);
    EXPECT_EQ(TemporaryDirectory(), "/tmp");
}

// The file shrank since its size was taken.
TEST(Platform, ReadingPastTheEndOfAShortFileFails) {
    test::TempDir dir;
    const std::string path = dir / "f";
    test::WriteFile(path, std::vector<uint8_t>{1, 2, 3, 4, 5});
    int error = 0;
    const File file = File::OpenForReading(path, error);
    ASSERT_TRUE(file.IsOpen());
    FileBytes bytes;
    EXPECT_FALSE(file.ReadAll(6, bytes, error));
    EXPECT_EQ(error, EIO);
}

TEST(Opener, TextGoesToTheUsersEditorElseToTheDesktop) {
    using platform::OpenerCommand;
    using Words = std::vector<std::string>;
    EXPECT_EQ(OpenerCommand("/t/a.h", OpenWith::TextEditor, "code --wait", "vi"),
              (Words{"code", "--wait", "/t/a.h"}));
    EXPECT_EQ(OpenerCommand("/t/a.h", OpenWith::TextEditor, "  ", nullptr),
              (Words{"xdg-open", "/t/a.h"}));
    // A web page is the desktop's business whatever editor is set.
    EXPECT_EQ(OpenerCommand("/t/a b.html", OpenWith::AssociatedProgram, "vi", "vi"),
              (Words{"xdg-open", "/t/a b.html"}));
}

// A program that cannot be started, or an opener that says at once that it
// found nothing to show the file with, is reported with the reason, so that
// preview can say so; one that keeps running has started.
TEST(Opener, StartingReportsWhatWentWrong) {
    using platform::StartDetached;
    EXPECT_EQ(StartDetached({"zlc-no-such-program-anywhere"}).reason,
              "The program zlc-no-such-program-anywhere was not found.");
    const auto failed = StartDetached({"sh", "-c", "exit 4"});
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.reason, "sh ended with exit status 4.");
    EXPECT_TRUE(StartDetached({"true"}).ok);
    EXPECT_TRUE(StartDetached({"sleep", "5"}, 100).ok);
}

} // namespace
} // namespace zlc::platform

#include "platform/FileWriter.h"

#include "platform/FileLock.h"
#include "platform/SystemCalls.h"
#include "support/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zlc::platform {
namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Names in the directory, so a left-over temporary file shows.
std::vector<std::string> Names(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class FileWriter : public ::testing::Test {
  protected:
    std::string Put(const std::string& name, const std::string& text, mode_t mode = 0640) {
        const std::string path = dir / name;
        test::WriteFile(path, text);
        ::chmod(path.c_str(), mode);
        return path;
    }

    RestoreSystemCalls restore;
    test::TempDir dir;
};

TEST_F(FileWriter, ReplacesTheFileKeepingItsModeAndLinksStayLinks) {
    const std::string path = Put("out.h", "old", 0604);
    int error = 0;
    ASSERT_TRUE(WriteFileAtomically(path, Bytes("new content"), {}, error));
    EXPECT_EQ(test::ReadText(path), "new content");
    EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0604));

    // Through a link the file it names gets the content; the link stays.
    const std::string real = Put("real.h", "old");
    fs::create_symlink("real.h", dir / "link.h");
    ASSERT_TRUE(WriteFileAtomically(dir / "link.h", Bytes("through"), {}, error));
    EXPECT_TRUE(fs::is_symlink(dir / "link.h"));
    EXPECT_EQ(test::ReadText(real), "through");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"link.h", "out.h", "real.h"}));

    // A new file gets 0666 less the umask, which stays as it was.
    const mode_t umask = ::umask(027);
    const bool written = WriteFileAtomically(dir / "new.h", Bytes("x"), {}, error);
    EXPECT_EQ(::umask(umask), 027u);
    EXPECT_TRUE(written);
    EXPECT_EQ(fs::status(dir / "new.h").permissions(), static_cast<fs::perms>(0640));
}

TEST_F(FileWriter, RefusedLinkWritesNothingAnywhere) {
    const std::string victim = Put("victim", "precious");
    fs::create_symlink(victim, dir / "preview.html");
    WriteOptions options;
    options.link = LinkAtName::Refuse;
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(dir / "preview.html", Bytes("x"), options, error));
    EXPECT_EQ(error, ELOOP);
    EXPECT_EQ(test::ReadText(victim), "precious");
    EXPECT_TRUE(fs::is_symlink(dir / "preview.html"));
    // Where no link is, the file is written as usual.
    EXPECT_TRUE(WriteFileAtomically(dir / "fresh.html", Bytes("x"), options, error));
    EXPECT_EQ(test::ReadText(dir / "fresh.html"), "x");
}

// Whatever step fails, the old file stays and no temporary file is left.
TEST_F(FileWriter, FailureAtAnyStepLeavesTheOldFileAndNothingElse) {
    const std::string path = Put("out.csv", "old");
    const auto before = Names(dir.path());
    Calls().fsync = [](int) {
        errno = EIO;
        return -1;
    };
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(path, Bytes("new"), {}, error));
    EXPECT_EQ(error, EIO);
    Calls().fsync = ::fsync;
    Calls().renameat = [](int, const char*, int, const char*) {
        errno = ENOSPC;
        return -1;
    };
    EXPECT_FALSE(WriteFileAtomically(path, Bytes("new"), {}, error));
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(test::ReadText(path), "old");
    EXPECT_EQ(Names(dir.path()), before);
}

TEST_F(FileWriter, CopyLeavesHolesAsHoles) {
    const std::string source = dir / "sparse";
    {
        test::WriteFile(source, "");
        fs::resize_file(source, 64u << 20);
        std::fstream file(source, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(40u << 20);
        file << "data in the middle";
    }
    int error = 0;
    const File from = File::OpenForReading(source, error);
    NewFile copy = NewFile::Begin(dir / "copy", {}, error);
    ASSERT_TRUE(copy.IsOpen());
    ASSERT_TRUE(CopyRange(from, 0, 64u << 20, copy.Content(), 0, error));
    ASSERT_TRUE(copy.Content().SetLength(64u << 20, error));
    ASSERT_TRUE(copy.Commit(error));
    EXPECT_EQ(test::ReadFile(dir / "copy"), test::ReadFile(source));
    struct stat status {};
    ::stat((dir / "copy").c_str(), &status);
    EXPECT_LT(status.st_blocks * 512, 1 << 20);
}

// A temporary name that no running writer holds was left by one that was
// killed: the next write in the directory removes it, and only it.
TEST_F(FileWriter, NextWriteRemovesStaleTemporariesOnly) {
    const std::string stale = Put(".zlc-save-AbC123", "left behind");
    const std::string running = Put(".zlc-save-XyZ789", "being written");
    const int held = ::open(running.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    int error = 0;
    ASSERT_TRUE(WriteFileAtomically(dir / "out.csv", Bytes("x"), {}, error));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{".zlc-save-XyZ789", "out.csv"}));
    ::close(held);
}

// Another process waits for the lock; this one shares its own.
TEST(FileLockTest, ExcludesOtherProcessesButNotItself) {
    test::TempDir dir;
    const std::string path = dir / "file";
    test::WriteFile(path, "x");
    int error = 0;
    FileLock first = FileLock::Acquire(path, error);
    ASSERT_TRUE(first.IsHeld());
    FileLock second = FileLock::Acquire(path, error); // would wait forever if not shared
    ASSERT_TRUE(second.IsHeld());
    auto otherProcessCanLock = [&] {
        const pid_t child = ::fork();
        if (child == 0) {
            const int fd = ::open(path.c_str(), O_RDONLY);
            ::_exit(::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WEXITSTATUS(status) == 0;
    };
    EXPECT_FALSE(otherProcessCanLock());
    first = FileLock();
    EXPECT_FALSE(otherProcessCanLock());
    second = FileLock();
    EXPECT_TRUE(otherProcessCanLock());
}

// A user interface keeps asking while it shows the wait; its Cancel ends it.
TEST(FileLockTest, WaitIsToldOnceAndCanBeCancelled) {
    test::TempDir dir;
    const std::string path = dir / "file";
    test::WriteFile(path, "x");
    const int other = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    std::vector<std::string> told;
    int asked = 0;
    LockWait wait;
    wait.noticeAfter = std::chrono::milliseconds(0);
    wait.onWaiting = [&](const std::string& name) { told.push_back(name); };
    wait.keepWaiting = [&] { return ++asked < 3; };
    int error = 0;
    EXPECT_FALSE(FileLock::Acquire(path, wait, error).IsHeld());
    EXPECT_EQ(error, kErrorCancelled);
    EXPECT_EQ(told, std::vector<std::string>{path});
    EXPECT_EQ(asked, 3);
    ::close(other);
    EXPECT_TRUE(FileLock::Acquire(path, wait, error).IsHeld());
}

} // namespace
} // namespace zlc::platform

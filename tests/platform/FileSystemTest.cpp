#include "platform/FileSystem.h"

#include "support/TempDir.h"

#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>

namespace zlc::platform {
namespace {

TEST(Platform, ProgramAndTemporaryDirectories) {
    EXPECT_EQ(std::filesystem::canonical(ProgramDirectory()),
              std::filesystem::canonical(ZLC_BIN_DIR));

    const char* saved = std::getenv("TMPDIR");
    const std::string restore = saved != nullptr ? saved : "";
    ::setenv("TMPDIR", "/var/tmp/work//", 1);
    EXPECT_EQ(TemporaryDirectory(), "/var/tmp/work");
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(TemporaryDirectory(), "/tmp");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(TemporaryDirectory(), "/tmp");
    if (saved != nullptr) {
        ::setenv("TMPDIR", restore.c_str(), 1);
    }
}

TEST(Platform, ReadingStopsAtTheEndOfAShortFile) {
    test::TempDir dir;
    const std::string path = dir / "f";
    test::WriteFile(path, std::vector<uint8_t>{1, 2, 3, 4, 5});
    int error = 0;
    const File file = File::OpenForReading(path, error);
    ASSERT_TRUE(file.IsOpen());
    FileBytes bytes;
    ASSERT_TRUE(file.ReadAll(5, bytes, error));
    EXPECT_EQ(std::vector<uint8_t>(bytes.data(), bytes.data() + 5),
              (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    // The file shrank since its size was taken.
    EXPECT_FALSE(file.ReadAll(6, bytes, error));
    EXPECT_EQ(error, EIO);
    EXPECT_FALSE(File::OpenForReading(dir / "none", error).IsOpen());
    EXPECT_EQ(error, ENOENT);
}

TEST(Platform, TimesAreReadAndPutBack) {
    test::TempDir dir;
    const std::string path = dir / "f";
    test::WriteFile(path, std::vector<uint8_t>{1});
    int error = 0;
    File file = File::OpenForReadWrite(path, error);
    ASSERT_TRUE(file.IsOpen());
    const FileTimes old{{1000000000, 5}, {1100000000, 7}};
    ASSERT_TRUE(file.SetTimes(old, error));
    FileTimes read;
    ASSERT_TRUE(file.GetTimes(read, error));
    EXPECT_EQ(read.access.tv_sec, 1000000000);
    EXPECT_EQ(read.modification.tv_nsec, 7);
    ASSERT_TRUE(file.SetTimesToNow(error));
    ASSERT_TRUE(file.GetTimes(read, error));
    EXPECT_GE(read.modification.tv_sec, ::time(nullptr) - 5);
}

TEST(Platform, TemporarySiblingAndReplace) {
    test::TempDir dir;
    const std::string target = dir / "target";
    test::WriteFile(target, std::vector<uint8_t>{9});
    std::string temporary;
    int error = 0;
    File file = File::CreateBeside(target, temporary, error);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(std::filesystem::path(temporary).parent_path(), std::filesystem::path(dir.path()));
    const uint8_t bytes[] = {1, 2};
    ASSERT_TRUE(file.WriteAt(0, bytes, error));
    ASSERT_TRUE(ReplaceFile(temporary, target, error));
    EXPECT_EQ(test::ReadFile(target), (std::vector<uint8_t>{1, 2}));
    EXPECT_TRUE(IsSameFile(target, dir.path() + "/./target"));
    EXPECT_FALSE(IsSameFile(target, temporary));
}

} // namespace
} // namespace zlc::platform

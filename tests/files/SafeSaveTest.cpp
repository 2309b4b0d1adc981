// What a save leaves when a system call fails, another program changes the
// file meanwhile, or the file has more than one name.
#include "files/ConfigFile.h"
#include "platform/SystemCalls.h"
#include "support/BlockImages.h"
#include "support/Environment.h"
#include "support/FileFixture.h"
#include "support/SRecordText.h"
#include "support/TempDir.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zlc {
namespace {

namespace fs = std::filesystem;
using test::BlockBytes;
using test::FileState;

int FailingSync(int) {
    errno = EIO;
    return -1;
}

// S-record text that a save shortens: blank lines after the first line end
// are dropped when the records are written again.
std::vector<uint8_t> ShrinkingSRecordFile() {
    std::string text =
        test::SRecordFile(test::ImageWith(2000, 1000, BlockBytes(DefaultConfigBlock())));
    size_t third = 0;
    for (int i = 0; i < 3; ++i) {
        third = text.find("\r\n", third) + 2;
    }
    text.insert(third, "\r\n\r\n");
    return {text.begin(), text.end()};
}

using SafeSave = test::FileFixture;

// A failed sync after the bytes went out: the file gets its exact old bytes,
// length and times back, whichever way it was being written, and no other
// file is left behind.
TEST_F(SafeSave, FailedSyncLeavesTheFileExactlyAsItWas) {
    const std::string onePage =
        Put("raw.exe", test::ImageWith(10000, 300, BlockBytes(DefaultConfigBlock())));
    const std::string replaced = Put("replaced.s9", ShrinkingSRecordFile());
    const std::string linked = Put("linked.s9", ShrinkingSRecordFile());
    fs::create_hard_link(linked, dir / "second-name.s9");
    const size_t entries = EntryCount();
    const platform::RestoreSystemCalls restore;
    platform::Calls().fsync = FailingSync;
    for (const std::string& path : {onePage, replaced, linked}) {
        const FileState before = FileState::Of(path);
        const FileOutcome outcome = SaveConfigFile(Changed(), path, std::nullopt, false);
        EXPECT_FALSE(outcome.ok) << path;
        EXPECT_EQ(outcome.reason, std::strerror(EIO)) << path;
        EXPECT_TRUE(FileState::Of(path) == before) << path;
    }
    EXPECT_EQ(EntryCount(), entries);
}

// The file is cut short by another program after the save read it: the
// save writes nothing and says so.
TEST_F(SafeSave, FileChangedWhileSavingIsRefused) {
    static std::string path;
    path = Put("program.s9", ShrinkingSRecordFile());
    const platform::RestoreSystemCalls restore;
    platform::Calls().stat = [](const char* name, struct stat* status) {
        ::truncate(path.c_str(), 100);
        return ::stat(name, status);
    };
    const FileOutcome outcome = SaveConfigFile(Changed(), path, std::nullopt, false);
    EXPECT_EQ(outcome.reason, kMessageChangedWhileSaving);
    EXPECT_EQ(fs::file_size(path), 100u);
    EXPECT_EQ(EntryCount(), 1u);
}

// A rewrite that changes the length replaces the file as a whole, keeping its
// mode; a file with two names is changed where it lies, so both names show the
// new content.
TEST_F(SafeSave, RewritesKeepModeAndHardLinks) {
    const std::vector<uint8_t> expected = [] {
        const std::string text =
            test::SRecordFile(test::ImageWith(2000, 1000, BlockBytes(Changed().block)));
        return std::vector<uint8_t>(text.begin(), text.end());
    }();
    const std::string single = Put("single.s9", ShrinkingSRecordFile());
    ::chmod(single.c_str(), 0751);
    ASSERT_TRUE(SaveConfigFile(Changed(), single, std::nullopt, false).ok);
    EXPECT_EQ(test::ReadFile(single), expected);
    EXPECT_EQ(fs::status(single).permissions(), static_cast<fs::perms>(0751));

    const std::string linked = Put("linked.s9", ShrinkingSRecordFile());
    fs::create_hard_link(linked, dir / "other.s9");
    ASSERT_TRUE(SaveConfigFile(Changed(), linked, std::nullopt, false).ok);
    EXPECT_EQ(test::ReadFile(dir / "other.s9"), expected);
    EXPECT_EQ(fs::hard_link_count(linked), 2u);
    EXPECT_EQ(EntryCount(), 3u);
}

// Another program writes the file, or puts another in its place, after it was
// loaded: the save of the document loaded from it refuses, and the other
// program's content stays.
TEST_F(SafeSave, FileChangedAfterItWasLoadedIsNotOverwritten) {
    const std::string path = Put("program.s9", ShrinkingSRecordFile());
    const std::vector<uint8_t> theirs =
        test::ImageWith(4096, 100, BlockBytes(DefaultConfigBlock()));
    for (const bool replaced : {false, true}) {
        test::WriteFile(path, ShrinkingSRecordFile());
        ConfigDocument doc;
        const FileOutcome loaded = LoadConfigFile(doc, path);
        ASSERT_TRUE(loaded.ok);
        if (replaced) {
            test::WriteFile(dir / "theirs", theirs);
            fs::rename(dir / "theirs", path);
        } else {
            test::WriteFile(path, theirs);
        }
        SaveConditions conditions;
        conditions.loadedName = path;
        conditions.loaded = loaded.file;
        doc.SetRegister(4, 0x4F);
        EXPECT_EQ(SaveConfigFile(doc, path, std::nullopt, false, conditions).reason,
                  kMessageChangedWhileSaving);
        EXPECT_EQ(test::ReadFile(path), theirs);
    }
}

// A save skips the search where the load noted the block only while the file
// holds the block there: handed the layout of a file whose block lies
// elsewhere, as if it described this one, it saves what a save without a
// layout saves.
TEST_F(SafeSave, LoadedLayoutIsTrustedOnlyWhereTheFileStillHoldsTheBlock) {
    for (const bool srecord : {false, true}) {
        // Long enough for S-record text to be read again from a record past
        // its start.
        const auto image = [srecord](size_t offset) {
            std::vector<uint8_t> bytes =
                test::ImageWith(200000, offset, BlockBytes(DefaultConfigBlock()));
            if (!srecord) {
                return bytes;
            }
            const std::string text = test::SRecordFile(bytes);
            return std::vector<uint8_t>(text.begin(), text.end());
        };
        const std::string extension = srecord ? ".s9" : ".exe";
        ConfigDocument ignored;
        const FileOutcome loaded =
            LoadConfigFile(ignored, Put("loaded" + extension, image(150000)));
        ASSERT_TRUE(loaded.ok);
        for (const size_t offset : {size_t{150000}, size_t{170000}}) {
            const std::string source = Put("source" + extension, image(offset));
            ASSERT_TRUE(SaveConfigFile(Changed(), source, dir / ("plain" + extension), false).ok);
            SaveConditions conditions;
            conditions.layout = loaded.layout;
            struct stat status {};
            ASSERT_EQ(::stat(source.c_str(), &status), 0);
            conditions.layout.DescribeFile(status);
            ASSERT_TRUE(
                SaveConfigFile(Changed(), source, dir / ("reused" + extension), false, conditions)
                    .ok);
            EXPECT_EQ(test::ReadFile(dir / ("reused" + extension)),
                      test::ReadFile(dir / ("plain" + extension)))
                << extension << " with its block at " << offset;
        }
    }
}

// The save is killed right after its first write into a file it rewrites in
// place: the next load puts the old bytes back from the journal and says so.
TEST_F(SafeSave, KilledRewriteIsUndoneByTheNextLoad) {
    const test::ScopedVariable journals("XDG_RUNTIME_DIR", dir.path().c_str());
    const std::vector<uint8_t> original = ShrinkingSRecordFile();
    const std::string path = Put("linked.s9", original);
    fs::create_hard_link(path, dir / "second-name.s9");
    static ino_t target = 0;
    struct stat linked {};
    ASSERT_EQ(::stat(path.c_str(), &linked), 0);
    target = linked.st_ino;
    const pid_t child = ::fork();
    if (child == 0) {
        platform::Calls().pwrite = [](int fd, const void* bytes, size_t count, off_t offset) {
            struct stat status {};
            const ssize_t written = ::pwrite(fd, bytes, count, offset);
            if (::fstat(fd, &status) == 0 && status.st_ino == target) {
                ::_exit(9); // as a kill would stop it
            }
            return written;
        };
        SaveConfigFile(Changed(), path, std::nullopt, false);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 9) << "the save never wrote into the file";
    ASSERT_NE(test::ReadFile(path), original);

    ConfigDocument doc;
    const FileOutcome outcome = LoadConfigFile(doc, path);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(outcome.notice, "File \"" + path +
                                  "\" was put back as it was before a save that was stopped "
                                  "half-way.");
    EXPECT_EQ(test::ReadFile(dir / "second-name.s9"), original);
    EXPECT_TRUE(fs::is_empty(dir / "zlc62740")) << "the journal is gone";
    // A finished rewrite leaves no journal either.
    EXPECT_TRUE(SaveConfigFile(Changed(), path, std::nullopt, false).ok);
    EXPECT_TRUE(fs::is_empty(dir / "zlc62740"));
    EXPECT_TRUE(LoadConfigFile(doc, path).notice.empty());
}

} // namespace
} // namespace zlc

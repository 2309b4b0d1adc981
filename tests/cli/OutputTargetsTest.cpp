// Where the tool's writers may write: a regular file or "-", never a device
// node or FIFO, never through a link another user planted in a shared
// directory; and how a save waits for another program's lock.
#include "support/BlockImages.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zlc {
namespace {

namespace fs = std::filesystem;
using test::Zlc;

// Every command that writes a file the user names, aimed at `target`.
std::vector<std::vector<std::string>> WritersInto(const std::string& source,
                                                  const std::string& target) {
    return {{"save", source, "--as", target + ".exe"},
            {"export", "csv", "-o", target + ".csv"},
            {"preview", "-o", target + ".png"}};
}

class OutputTargets : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteFile(source, test::ImageWith(4096, 512, test::BlockBytes(DefaultConfigBlock())));
    }

    // Runs every writer into `target`; each must fail with `reason` and leave
    // what is there as `unchanged` says.
    void ExpectRefused(const std::string& target, const std::string& reason,
                       const std::function<bool(const std::string&)>& unchanged) {
        for (const auto& args : WritersInto(source, target)) {
            const auto result = Zlc(args);
            const std::string written = args.back();
            EXPECT_EQ(result.status, 1) << written;
            EXPECT_NE(result.err.find(reason), std::string::npos) << written << ": " << result.err;
            EXPECT_TRUE(unchanged(written)) << written;
        }
    }

    test::TempDir dir;
    const std::string source = dir / "source.exe";
};

TEST_F(OutputTargets, OnlyRegularFilesAreReplaced) {
    const std::string notRegular = "The file is not a regular file.";
    for (const char* extension : {".exe", ".csv", ".png"}) {
        ASSERT_EQ(::mkfifo((dir / "fifo" + extension).c_str(), 0600), 0);
        fs::create_symlink("/dev/null", dir / "null" + extension);
    }
    ExpectRefused(dir / "fifo", notRegular,
                  [](const std::string& path) { return fs::is_fifo(path); });
    ExpectRefused(dir / "null", notRegular, [](const std::string& path) {
        return fs::read_symlink(path) == "/dev/null" && fs::is_character_file("/dev/null");
    });
    if (::geteuid() == 0) {
        for (const char* extension : {".exe", ".csv", ".png"}) {
            ASSERT_EQ(
                ::mknod((dir / "device" + extension).c_str(), S_IFCHR | 0600, ::makedev(1, 3)), 0);
        }
        ExpectRefused(dir / "device", notRegular,
                      [](const std::string& path) { return fs::is_character_file(path); });
    }
    // "-" is standard output, never a file of that name.
    const auto png = Zlc({"preview", "-o", "-"});
    EXPECT_EQ(png.status, 0) << png.err;
    EXPECT_TRUE(png.out.starts_with("\x89PNG")) << "the picture on stdout";
    EXPECT_TRUE(png.err.starts_with("-: 320 x 240")) << "its description on stderr";
}

// An owner no account has, for the link planted by "another user".
uid_t UnusedUid() {
    uid_t uid = 40000;
    while (::getpwuid(uid) != nullptr) {
        ++uid;
    }
    return uid;
}

TEST_F(OutputTargets, LinksOfOtherUsersInSharedDirectoriesAreNotFollowed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a link another owner";
    }
    const std::string shared = dir / "shared";
    fs::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    const std::string victim = dir / "victim";
    test::WriteFile(victim, "precious");
    for (const char* extension : {".exe", ".csv", ".png"}) {
        const std::string link = shared + "/planted" + extension;
        fs::create_symlink(victim, link);
        ASSERT_EQ(::lchown(link.c_str(), UnusedUid(), UnusedUid()), 0);
    }
    ExpectRefused(shared + "/planted", "a link that another user made in a shared directory",
                  [&](const std::string&) { return test::ReadText(victim) == "precious"; });
    // The user's own link there is followed, as the kernel would.
    fs::create_symlink(victim, shared + "/own.csv");
    EXPECT_EQ(Zlc({"export", "csv", "-o", shared + "/own.csv"}).status, 0);
    EXPECT_NE(test::ReadText(victim), "precious");
}

// Another program holds the file's lock for the whole test.
TEST_F(OutputTargets, SaveWaitsForALockThenGivesUp) {
    const int held = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const auto before = test::ReadFile(source);
    const auto result = Zlc({"--wait", "2", "--set", "33=640", "save", source});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Waiting for another program to finish with " + source +
                              "\u2026\nFile \"" + source +
                              "\" could not be saved because:\n\nAnother program is still using "
                              "the file.\n");
    // Holding from the load: the --in file and configure wait alike.
    const auto configure =
        Zlc({"--wait", "0", "--in", source, "--set", "33=640", "configure", source});
    EXPECT_EQ(configure.status, 1);
    EXPECT_NE(configure.err.find("Another program is still using the file."), std::string::npos);
    EXPECT_EQ(test::ReadFile(source), before);
    ::close(held);
    EXPECT_EQ(Zlc({"--wait", "0", "--in", source, "--set", "33=640", "configure", source}).status,
              0);
}

} // namespace
} // namespace zlc

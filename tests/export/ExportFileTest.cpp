#include "export/Export.h"
#include "export/ExportCase.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zlc {
namespace {

using platform::OpenWith;
using test::TempDir;

TEST(ExportTargets, ListTextsAndDefaultNamesCarryChipAndModeNumbers) {
    EXPECT_EQ(ExportListText(0, 0),
              "C Header File for ZLC62740 HAL-Based Applications\t[appcfg.h]");
    EXPECT_EQ(ExportListText(2, 7), "C Header File for ZLC62740 WinCE Drivers \t\t[mode7.h]");
    EXPECT_EQ(ExportListText(5, 0), "ZLC62740 Register Quick Reference\t\t\t[zlc62740.html]");
    const char* const names[] = {"appcfg.h",   "chip.h",       "mode1000.h",
                                 "zlc62740.h", "zlc62740.csv", "zlc62740.html"};
    for (int target = 0; target < kExportTargetCount; ++target) {
        EXPECT_EQ(ExportDefaultName(target, 1000), names[target]);
        // Only the HTML reference is previewed outside the text editor.
        EXPECT_EQ(ExportTargets()[static_cast<size_t>(target)].openWithTextEditor, target != 5);
    }
    EXPECT_EQ(ExportDefaultName(6, 0), "");
    EXPECT_STREQ(ExportTargets()[4].filters[0].pattern, "*.csv");
}

TEST(ToCrLf, AddsCarriageReturnsOnlyWhereMissing) {
    EXPECT_EQ(ToCrLf("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(ToCrLf("\nx"), "\r\nx");
    EXPECT_EQ(ToCrLf("a\r\nb\n\n"), "a\r\nb\r\n\r\n");
    EXPECT_EQ(ToCrLf("no line end\r"), "no line end\r");
    EXPECT_EQ(ToCrLf(""), "");
}

// Points the temporary directory at a test's own directory for a while.
class TemporaryDirectoryOverride {
  public:
    explicit TemporaryDirectoryOverride(const std::string& path) {
        if (const char* old = std::getenv("TMPDIR")) {
            old_ = old;
        }
        ::setenv("TMPDIR", path.c_str(), 1);
    }
    ~TemporaryDirectoryOverride() {
        if (old_) {
            ::setenv("TMPDIR", old_->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
    }

  private:
    std::optional<std::string> old_;
};

struct OpenCall {
    std::string path;
    OpenWith how;
};

class WriteExportFileTest : public ::testing::Test {
  protected:
    platform::Opener Recording(bool result) {
        return [this, result](const std::string& path, OpenWith how) {
            calls.push_back({path, how});
            return result;
        };
    }

    TempDir dir;
    std::vector<OpenCall> calls;
};

TEST_F(WriteExportFileTest, WritesTheBytesToTheGivenPathWithoutOpeningIt) {
    const std::string path = dir / "out.h";
    test::WriteFile(path, std::string(5000, 'x'));
    ::chmod(path.c_str(), 0640);
    const ExportResult result = WriteExportFile(path, "zlc%s.h", "new\r\n", true, Recording(true));
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(test::ReadText(path), "new\r\n");
    EXPECT_TRUE(calls.empty());
    struct stat status {};
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    // Nothing but the file itself is left in the directory.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(WriteExportFileTest, ReportsAFileThatCannotBeCreatedWithItsFullPath) {
    const std::string missing = dir / "no/such/dir/appcfg.h";
    const ExportResult result = WriteExportFile(missing, "appcfg.h", "x", true, Recording(true));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Failed to create file " + missing);

    // A relative path is reported as the full path it stands for.
    const ExportResult relative =
        WriteExportFile(std::string("no-such-dir/x.h"), "x.h", "x", true, Recording(true));
    EXPECT_EQ(relative.message, "Failed to create file " +
                                    (std::filesystem::current_path() / "no-such-dir/x.h").string());
    EXPECT_TRUE(calls.empty());
}

TEST_F(WriteExportFileTest, AFailedWriteLeavesTheOldFileAsItWas) {
    // A write-protected file is not replaced.
    const std::string path = dir / "chip.h";
    test::WriteFile(path, std::string("old"));
    ::chmod(path.c_str(), 0444);
    const test::FileState before = test::FileState::Of(path);
    const ExportResult result = WriteExportFile(path, "chip.h", "new", true, Recording(true));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Failed to create file " + path);
    EXPECT_TRUE(test::FileState::Of(path) == before);

    // A write that runs out of room keeps the old content and leaves no
    // scratch file behind.
    const std::string full = dir / "zlc62740.html";
    test::WriteFile(full, std::string("old page"));
    const test::FileState old = test::FileState::Of(full);
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const ExportResult tooBig = WriteExportFile(full, "x", std::string(10000, 'x'), false, nullptr);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(tooBig.message, "Failed to create file " + full);
    EXPECT_TRUE(test::FileState::Of(full) == old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);

    // Through a link the file it names is replaced and the link stays.
    const std::string link = dir / "link.h";
    const std::string real = dir / "real.h";
    test::WriteFile(real, std::string("old"));
    std::filesystem::create_symlink(real, link);
    EXPECT_TRUE(WriteExportFile(link, "x", "new", true, nullptr).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadText(real), "new");

    // A device is written into, not replaced.
    EXPECT_TRUE(WriteExportFile(std::string("/dev/null"), "x", "data", true, nullptr).ok);
    struct stat status {};
    ASSERT_EQ(::stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

TEST_F(WriteExportFileTest, PreviewWritesIntoTheTemporaryDirectoryAndOpensTheFile) {
    const TemporaryDirectoryOverride tmp(dir.path());
    const ConfigDocument doc;

    const ExportResult csv =
        ExportTarget(doc, ExportTargetNumber::Csv, std::nullopt, 0, Recording(true));
    EXPECT_TRUE(csv.ok) << csv.message;
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].path, dir / "zlc62740.csv");
    EXPECT_EQ(calls[0].how, OpenWith::TextEditor);
    EXPECT_EQ(test::ReadText(dir / "zlc62740.csv"),
              ToCrLf(test::FindExportCase("default").Expected("zlc62740.csv")));

    EXPECT_TRUE(ExportTarget(doc, ExportTargetNumber::Html, std::nullopt, 0, Recording(true)).ok);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].path, dir / "zlc62740.html");
    EXPECT_EQ(calls[1].how, OpenWith::AssociatedProgram);

    // The WinCE header is previewed under the name of its mode number.
    EXPECT_TRUE(
        ExportTarget(doc, ExportTargetNumber::WinCeHeader, std::nullopt, 42, Recording(true)).ok);
    EXPECT_EQ(calls.back().path, dir / "mode42.h");
}

TEST_F(WriteExportFileTest, PreviewThatCannotOpenTheFileSaysSoAndKeepsTheFile) {
    const TemporaryDirectoryOverride tmp(dir.path());
    const ConfigDocument doc;

    const ExportResult text =
        ExportTarget(doc, ExportTargetNumber::ChipHeader, std::nullopt, 0, Recording(false));
    EXPECT_FALSE(text.ok);
    EXPECT_EQ(text.message, "Failed to preview file " + (dir / "chip.h"));
    EXPECT_TRUE(std::filesystem::exists(dir / "chip.h"));

    const ExportResult html =
        ExportTarget(doc, ExportTargetNumber::Html, std::nullopt, 0, Recording(false));
    EXPECT_EQ(html.message, "Failed to execute file " + (dir / "zlc62740.html"));
    EXPECT_TRUE(std::filesystem::exists(dir / "zlc62740.html"));

    // No opener at all fails the same way.
    EXPECT_EQ(WriteExportFile(std::nullopt, "prog%s", "x", false, nullptr).message,
              "Failed to execute file " + (dir / "prog62740"));

    // Nothing is opened when the file could not be written.
    const TemporaryDirectoryOverride gone(dir / "gone");
    const size_t opened = calls.size();
    EXPECT_EQ(ExportTarget(doc, ExportTargetNumber::Csv, std::nullopt, 0, Recording(true)).message,
              "Failed to create file " + (dir / "gone/zlc62740.csv"));
    EXPECT_EQ(calls.size(), opened);
}

TEST_F(WriteExportFileTest, ExportWritesTheTargetWithCrLfLineEnds) {
    const auto exportCase = test::FindExportCase("mono-dual");
    const std::string path = dir / "any-name.h";
    const ExportResult result = ExportTarget(exportCase.Document(), ExportTargetNumber::WinCeHeader,
                                             path, 1000, Recording(true));
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(test::ReadText(path), ToCrLf(exportCase.Expected("mode1000.h")));
    EXPECT_FALSE(ExportTarget(ConfigDocument(), -1, path, 0, nullptr).ok);
}

} // namespace
} // namespace zlc

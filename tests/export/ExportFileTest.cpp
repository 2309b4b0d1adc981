#include "export/Export.h"
#include "export/ExportCase.h"
#include "platform/Opener.h"
#include "support/Environment.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zlc {
namespace {

using platform::OpenWith;

// A line end already preceded by CR is left as it is.
TEST(ExportTargets, ListTextCarriesTheModeNumberAndLinesEndInCrLfOnce) {
    EXPECT_EQ(ExportListText(2, 7), "C Header File for ZLC62740 WinCE Drivers \t\t[mode7.h]");
    EXPECT_EQ(ToCrLf("\na\r\nb\n\n"), "\r\na\r\nb\r\n\r\n");
}

// Records what the opener is asked to open, and points the temporary
// directory at the test's own directory.
class WriteExportFileTest : public ::testing::Test {
  protected:
    platform::Opener Recording(bool result) {
        return [this, result](const std::string& path, OpenWith how) {
            calls.emplace_back(path, how);
            return result;
        };
    }

    test::TempDir dir;
    test::ScopedVariable tmpdir{"TMPDIR", dir.path().c_str()};
    std::vector<std::pair<std::string, OpenWith>> calls;
};

// A file given by name is written, never opened; one that cannot be written
// is named by its full path and left as it was.
TEST_F(WriteExportFileTest, WritesTheNamedFileOrLeavesItAsItWas) {
    const std::string path = dir / "chip.h";
    EXPECT_TRUE(WriteExportFile(path, "zlc%s.h", "new\r\n", true, Recording(true)).ok);
    EXPECT_EQ(test::ReadText(path), "new\r\n");
    ::chmod(path.c_str(), 0444);
    const test::FileState before = test::FileState::Of(path);
    EXPECT_EQ(WriteExportFile(path, "x", "other", true, Recording(true)).message,
              "Failed to create file " + path);
    EXPECT_TRUE(test::FileState::Of(path) == before);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(WriteExportFile(std::string("no-such-dir/x.h"), "x", "x", true, nullptr).message,
              "Failed to create file " +
                  (std::filesystem::current_path() / "no-such-dir/x.h").string());
}

TEST_F(WriteExportFileTest, PreviewWritesIntoTheTemporaryDirectoryAndOpensTheFile) {
    const ConfigDocument doc;
    EXPECT_TRUE(ExportTarget(doc, ExportTargetNumber::Html, std::nullopt, 0, Recording(true)).ok);
    EXPECT_TRUE(
        ExportTarget(doc, ExportTargetNumber::WinCeHeader, std::nullopt, 42, Recording(true)).ok);
    EXPECT_EQ(calls, (decltype(calls){{dir / "zlc62740.html", OpenWith::AssociatedProgram},
                                      {dir / "mode42.h", OpenWith::TextEditor}}));

    // An opener that fails is reported; the file stays.
    EXPECT_EQ(ExportTarget(doc, ExportTargetNumber::ChipHeader, std::nullopt, 0, Recording(false))
                  .message,
              "Failed to preview file " + (dir / "chip.h"));
    EXPECT_TRUE(std::filesystem::exists(dir / "chip.h"));
    EXPECT_EQ(
        ExportTarget(doc, ExportTargetNumber::Html, std::nullopt, 0, Recording(false)).message,
        "Failed to execute file " + (dir / "zlc62740.html"));

    // Nothing is opened when the file could not be written.
    tmpdir.Set(dir / "gone");
    calls.clear();
    EXPECT_EQ(ExportTarget(doc, ExportTargetNumber::Csv, std::nullopt, 0, Recording(true)).message,
              "Failed to create file " + (dir / "gone/zlc62740.csv"));
    EXPECT_TRUE(calls.empty());
}

} // namespace
} // namespace zlc

#include "cases/CaseFile.h"
#include "panels/PanelText.h"
#include "support/TempDir.h"

#include <filesystem>

namespace zlc::test {
namespace {

std::string TextOf(const Case& c) {
    return c.Or("text", PanelLine(c.Or("name", "P"), c.Or("changes", "")));
}

class PanelFile : public ::testing::TestWithParam<Case> {};

TEST_P(PanelFile, ReadsAsTheLoaderWould) {
    const Case& c = GetParam();
    std::vector<std::string> messages;
    const bool debug = c.Or("source", "") == "DEBUG";
    const PanelList list =
        Read(TextOf(c), debug ? PanelSource::DebugDef : PanelSource::PanelsDef, &messages);
    EXPECT_EQ(std::to_string(list.PanelCount()), c.Or("count", std::to_string(list.PanelCount())));
    EXPECT_EQ(list.loaded ? "1" : "0", c.Or("loaded", list.loaded ? "1" : "0"));
    EXPECT_EQ(messages, Split(c.Or("messages", ""), '\n'));
    EXPECT_EQ(PanelFileMessages(list), c.Or("file-messages", PanelFileMessages(list)));
    if (c.Has("read-name") || c.Has("fields") || c.Has("reason")) {
        ASSERT_GE(list.PanelCount(), 1);
        const PanelDefinition& d = list.PanelAt(0);
        EXPECT_EQ(d.name, c.Or("read-name", d.name));
        for (const auto& [field, value] : ParseChanges(c.Or("fields", ""))) {
            EXPECT_EQ(Field(d, field), std::stol(value)) << "field " << field;
        }
        EXPECT_EQ(d.reason, c.Or("reason", d.reason));
        EXPECT_EQ(d.disqualified, !c.Or("reason", d.reason).empty());
    }
}

ZLC_CASES(PanelFile, "panels/files.txt");

// Which file wins is shown through the command line; here, what is no file.
TEST(PanelFiles, LoadOnceAndReportAFileThatCannotBeRead) {
    const TempDir dir;
    WriteFile(dir / "PANELS.DEF", PanelLine("From PANELS.DEF"));
    std::filesystem::create_directory(dir / "DEBUG.DEF"); // a directory of that name is no file
    PanelList panels;
    LoadPanelDefinitions(panels, dir.path() + "/", {});
    EXPECT_EQ(panels.source, PanelSource::PanelsDef);
    std::filesystem::remove(dir / "DEBUG.DEF");
    WriteFile(dir / "DEBUG.DEF", PanelLine("From DEBUG.DEF"));
    LoadPanelDefinitions(panels, dir.path(), {}); // loaded once only
    EXPECT_EQ(panels.PanelAt(0).name, "From PANELS.DEF");

    // A sysfs attribute claims a page and holds a few bytes, so reading stops
    // short of the file's size as a failing read does.
    const std::string shortFile = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (std::filesystem::exists(shortFile)) {
        std::filesystem::remove(dir / "DEBUG.DEF");
        std::filesystem::create_symlink(shortFile, dir / "DEBUG.DEF");
        PanelList failed;
        std::vector<std::string> messages;
        LoadPanelDefinitions(failed, dir.path(), [&](const auto& m) { messages.push_back(m); });
        EXPECT_EQ(messages, std::vector<std::string>{"Error reading panel DEF file"});
        EXPECT_FALSE(failed.loaded);
    }
}

} // namespace
} // namespace zlc::test

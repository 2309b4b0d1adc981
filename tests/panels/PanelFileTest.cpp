#include "cases/CaseFile.h"
#include "panels/PanelText.h"
#include "support/TempDir.h"

#include <filesystem>

namespace zlc::test {
namespace {

std::string TextOf(const Case& c) {
    if (c.Has("text")) {
        return c["text"];
    }
    return PanelLine(c.Has("name") ? c["name"] : "P",
                     ParseChanges(c.Has("changes") ? c["changes"] : ""));
}

std::string Joined(const std::vector<std::string>& messages) {
    std::string text;
    for (const std::string& message : messages) {
        text += (text.empty() ? "" : "\n") + message;
    }
    return text;
}

class PanelFile : public ::testing::TestWithParam<Case> {};

TEST_P(PanelFile, ReadsAsTheLoaderWould) {
    const Case& c = GetParam();
    const bool debug = c.Has("source") && c["source"] == "DEBUG";
    const auto [list, messages] =
        Read(TextOf(c), debug ? PanelSource::DebugDef : PanelSource::PanelsDef);
    if (c.Has("count")) {
        EXPECT_EQ(list.PanelCount(), c.Number("count"));
    }
    if (c.Has("loaded")) {
        EXPECT_EQ(list.loaded, c.Number("loaded") != 0);
    }
    EXPECT_EQ(Joined(messages), c.Has("messages") ? c["messages"] : "");
    if (c.Has("file-messages")) {
        EXPECT_EQ(PanelFileMessages(list), c["file-messages"]);
    }
    if (c.Has("read-name") || c.Has("fields") || c.Has("reason")) {
        ASSERT_GE(list.PanelCount(), 1);
        const PanelDefinition& d = list.PanelAt(0);
        EXPECT_EQ(d.name, c.Has("read-name") ? c["read-name"] : d.name);
        for (const auto& [field, value] : ParseChanges(c.Has("fields") ? c["fields"] : "")) {
            EXPECT_EQ(Field(d, field), std::stol(value)) << "field " << field;
        }
        EXPECT_EQ(d.reason, c.Has("reason") ? c["reason"] : d.reason);
        EXPECT_EQ(d.disqualified, c.Has("reason") ? !c["reason"].empty() : d.disqualified);
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

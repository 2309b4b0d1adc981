#include "panels/PanelText.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::PanelLine;
using test::Read;

// Keeps every panel, so that the raw field values can be looked at.
bool KeepAll(const PanelDefinition&, std::string&) {
    return false;
}

PanelDefinition ReadOne(const std::string& line) {
    const auto result = Read(line, PanelSource::PanelsDef, KeepAll);
    return result.list.PanelCount() == 1 ? result.list.PanelAt(0) : PanelDefinition{};
}

TEST(PanelFile, EachFieldLandsInItsMember) {
    const PanelDefinition d = ReadOne(PanelLine("Sharp LQ057Q3DC02"));
    EXPECT_EQ(d.name, "Sharp LQ057Q3DC02");
    EXPECT_EQ((std::vector<int32_t>{
                  d.type,        d.width,          d.height,       d.isEL,     d.dataWidth,
                  d.needsTft2x,  d.dataFormat,     d.isColor,      d.timing10, d.pclkKHz,
                  d.timing12,    d.timing13,       d.timing14,     d.timing15, d.fplineStart,
                  d.timing17,    d.fplinePolarity, d.fpframeStart, d.timing20, d.fpframePolarity,
                  d.maskFpshift, d.hndp,           d.vndp}),
              (std::vector<int32_t>{2,   320, 240, 0,  12, 0, -2, 1, 0,  6300, 60, 30,
                                    400, 3,   16,  50, 0,  4, 15, 0, -2, 80,   22}));
}

TEST(PanelFile, WordsAreJudgedByTheirKindOfField) {
    struct Case {
        int field;
        const char* word;
        int32_t PanelDefinition::*member;
        int32_t expected;
    };
    using D = PanelDefinition;
    // clang-format off
    const Case cases[] = {
        {2, "S", &D::type, 1},       {2, "H", &D::type, 3},             {2, "D-TFD", &D::type, 4},
        {2, "TF", &D::type, 2},      {2, "TFTX", &D::type, -4},         {2, "stn", &D::type, -4},
        {5, "1", &D::isEL, 1},       {5, "True", &D::isEL, 1},          {5, "0", &D::isEL, 0},
        {5, "no", &D::isEL, -2},     {5, "t", &D::isEL, -4},            {22, "T", &D::maskFpshift, 1},
        {8, "1", &D::dataFormat, 0}, {8, "2", &D::dataFormat, 1},       {8, "3", &D::dataFormat, -4},
        {18, "High", &D::fplinePolarity, 1}, {21, "n", &D::fpframePolarity, -2},
        {21, "h", &D::fpframePolarity, -4},  {13, "n", &D::timing13, 0}, {15, "n", &D::timing15, 0},
        {3, "-640", &D::width, -640}, {3, "+640", &D::width, 640},      {3, "640px", &D::width, 640},
        {3, "wide", &D::width, 0},    {3, "99999999999", &D::width, INT32_MAX},
        {3, "-2147483648", &D::width, INT32_MIN},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(ReadOne(PanelLine("P", {{c.field, c.word}})).*c.member, c.expected)
            << "field " << c.field << " " << c.word;
    }
}

TEST(PanelFile, OnlyBlanksSeparateAndLinesHoldAtMost511Characters) {
    std::string line = PanelLine("P");
    std::string spaced = line;
    spaced.replace(spaced.find(" 320 "), 5, "   320    ");
    EXPECT_EQ(ReadOne(spaced).vndp, 22);

    // With a tab, "320\t240" is one word: later fields move up one place and
    // the last keeps the value of a new definition.
    line.replace(line.find(" 240"), 1, "\t");
    const PanelDefinition tabbed = ReadOne(line);
    EXPECT_EQ(tabbed.width, 320);
    EXPECT_EQ(tabbed.hndp, 22);
    EXPECT_EQ(tabbed.vndp, 0);

    // The 512th character starts a new line: a panel behind a 511-character
    // comment is read, and a panel line cut there loses its last field.
    EXPECT_EQ(ReadOne(std::string(511, ';') + PanelLine("Behind")).name, "Behind");
    std::string cut = PanelLine("Cut");
    const size_t last = cut.find(" 22\n");
    cut.insert(last, 510 - last, ' ');
    EXPECT_EQ(ReadOne(cut).hndp, 80);
    EXPECT_EQ(ReadOne(cut).vndp, 0);

    std::string crlf = "VERSION 2\r\n" + PanelLine("A");
    crlf.insert(crlf.size() - 1, "\r");
    EXPECT_EQ(Read(crlf).list.fileVersion, 2);
    EXPECT_EQ(Read(crlf).list.PanelAt(0).vndp, 22);

    const std::string panel = PanelLine("P").substr(6); // without "PANEL "
    EXPECT_EQ(Read("panel " + panel + " PANEL " + panel + "PANEL\t" + panel + "PANELS " + panel)
                  .list.PanelCount(),
              0);
}

TEST(PanelFile, MalformedNameEmptiesTheWholeList) {
    EXPECT_EQ(ReadOne("PANEL junk \"Two  words\"TFT 320\n").name, "Two  words");
    EXPECT_EQ(ReadOne(PanelLine(std::string(78, 'N'))).name, std::string(78, 'N'));

    const std::string good = PanelLine("Good");
    for (const std::string& bad : {PanelLine(std::string(79, 'N')), std::string("PANEL no quote\n"),
                                   std::string("PANEL \"unclosed TFT 320\n"), PanelLine("")}) {
        const auto result = Read("VERSION 1\n" + good + bad + good, PanelSource::DebugDef);
        EXPECT_EQ(result.list.PanelCount(), 0) << bad;
        EXPECT_FALSE(result.list.loaded);
        EXPECT_EQ(result.messages, std::vector<std::string>{"Invalid PANELS.DEF"});
        EXPECT_EQ(PanelFileMessages(result.list), "");
    }
}

TEST(PanelFile, VersionAndQualificationDecideWhatIsShown) {
    EXPECT_EQ(PanelFileMessages(Read(PanelLine("P")).list),
              "ERROR: Version 2 of PANELS.DEF is required (you are currently using version 1).\n");
    EXPECT_EQ(PanelFileMessages(Read("VERSION 2\nVERSION 7\n", PanelSource::DebugDef).list),
              "ERROR: Version 2 of DEBUG.DEF is required (you are currently using version 7).\n");
    EXPECT_EQ(PanelFileMessages(Read("VERSION 1\nVERSION  2\n").list), "");
    EXPECT_NE(PanelFileMessages(Read("").list), "");

    const std::string text =
        PanelLine("Good") + PanelLine("Slow", {{11, "0"}}) + PanelLine("Narrow", {{23, "24"}});
    const auto panels = Read(text);
    EXPECT_EQ(panels.list.PanelCount(), 1);
    EXPECT_EQ(Read(PanelLine("Slow", {{11, "0"}})).list.PanelCount(), 0);
    const auto debug = Read(text, PanelSource::DebugDef);
    ASSERT_EQ(debug.list.PanelCount(), 3);
    EXPECT_FALSE(debug.list.PanelAt(0).disqualified);
    EXPECT_TRUE(debug.list.PanelAt(2).disqualified);
    EXPECT_EQ(debug.list.PanelAt(2).reason, "Narrow is disqualified: HNDP < 32.\n");

    std::string many;
    for (int i = 0; i < 150; ++i) {
        many += PanelLine(std::to_string(i));
    }
    EXPECT_EQ(Read(many).list.PanelCount(), 150); // no panel is dropped for want of room
}

struct Loaded {
    PanelList list;
    std::vector<std::string> messages;
};

Loaded LoadFrom(const std::string& directory) {
    Loaded loaded;
    LoadPanelDefinitions(loaded.list, directory,
                         [&](const std::string& message) { loaded.messages.push_back(message); });
    return loaded;
}

TEST(PanelFile, LoadsDebugDefBeforePanelsDef) {
    const test::TempDir dir;
    const auto nothing = LoadFrom(dir.path());
    EXPECT_EQ(nothing.list.PanelCount(), 0);
    EXPECT_FALSE(nothing.list.loaded);
    EXPECT_TRUE(nothing.messages.empty());

    test::WriteFile(dir / "PANELS.DEF", PanelLine("From PANELS.DEF"));
    auto panels = LoadFrom(dir.path());
    EXPECT_EQ(panels.list.source, PanelSource::PanelsDef);
    // A directory of that name is no file.
    std::filesystem::create_directory(dir / "DEBUG.DEF");
    EXPECT_EQ(LoadFrom(dir.path()).list.PanelAt(0).name, "From PANELS.DEF");
    std::filesystem::remove(dir / "DEBUG.DEF");

    test::WriteFile(dir / "DEBUG.DEF", PanelLine("From DEBUG.DEF"));
    const auto debug = LoadFrom(dir.path() + "/");
    EXPECT_EQ(debug.list.PanelAt(0).name, "From DEBUG.DEF");
    EXPECT_EQ(debug.list.source, PanelSource::DebugDef);
    LoadPanelDefinitions(panels.list, dir.path(), {}); // loaded once only
    EXPECT_EQ(panels.list.PanelAt(0).name, "From PANELS.DEF");

    // A sysfs attribute claims a page and holds a few bytes, so reading stops
    // short of the file's size as a failing read does.
    const std::string shortFile = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (std::filesystem::exists(shortFile)) {
        std::filesystem::remove(dir / "DEBUG.DEF");
        std::filesystem::create_symlink(shortFile, dir / "DEBUG.DEF");
        const auto failed = LoadFrom(dir.path());
        EXPECT_EQ(failed.list.PanelCount(), 0);
        EXPECT_FALSE(failed.list.loaded);
        EXPECT_EQ(failed.messages, std::vector<std::string>{"Error reading panel DEF file"});
    }
}

} // namespace
} // namespace zlc

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

TEST(PanelFile, ReadsEveryField) {
    const auto result =
        Read(PanelLine("Sharp LQ057Q3DC02 320x240 TFT"), PanelSource::PanelsDef, KeepAll);
    ASSERT_EQ(result.list.PanelCount(), 1);
    const PanelDefinition& d = result.list.PanelAt(0);
    EXPECT_EQ(d.name, "Sharp LQ057Q3DC02 320x240 TFT");
    EXPECT_EQ(d.type, PanelType::TFT);
    EXPECT_EQ(d.width, 320);
    EXPECT_EQ(d.height, 240);
    EXPECT_EQ(d.isEL, 0);
    EXPECT_EQ(d.dataWidth, 12);
    EXPECT_EQ(d.needsTft2x, 0);
    EXPECT_EQ(d.dataFormat, kPanelNotApplicable);
    EXPECT_EQ(d.isColor, 1);
    EXPECT_EQ(d.timing10, 0);
    EXPECT_EQ(d.pclkKHz, 6300);
    EXPECT_EQ(d.timing12, 60);
    EXPECT_EQ(d.timing13, 30);
    EXPECT_EQ(d.timing14, 400);
    EXPECT_EQ(d.timing15, 3);
    EXPECT_EQ(d.fplineStart, 16);
    EXPECT_EQ(d.timing17, 50);
    EXPECT_EQ(d.fplinePolarity, 0);
    EXPECT_EQ(d.fpframeStart, 4);
    EXPECT_EQ(d.timing20, 15);
    EXPECT_EQ(d.fpframePolarity, 0);
    EXPECT_EQ(d.maskFpshift, kPanelNotApplicable);
    EXPECT_EQ(d.hndp, 80);
    EXPECT_EQ(d.vndp, 22);
    EXPECT_FALSE(d.disqualified);
    EXPECT_TRUE(result.list.loaded);
    EXPECT_TRUE(result.messages.empty());
}

PanelDefinition ReadOne(const std::vector<std::pair<int, std::string>>& changes) {
    const auto result = Read(PanelLine("P", changes), PanelSource::PanelsDef, KeepAll);
    return result.list.PanelCount() == 1 ? result.list.PanelAt(0) : PanelDefinition{};
}

TEST(PanelFile, JudgesWordsAsTheirKindOfField) {
    const std::pair<const char*, int32_t> types[] = {{"STN", 1},
                                                     {"S", 1},
                                                     {"HR-TFT", 3},
                                                     {"H", 3},
                                                     {"D-TFD", 4},
                                                     {"D", 4},
                                                     {"TFT", 2},
                                                     {"TF", 2},
                                                     {"T", 2},
                                                     {"TFTX", kPanelUnknown},
                                                     {"stn", kPanelUnknown},
                                                     {"HR", 3},
                                                     {"X", kPanelUnknown}};
    for (const auto& [word, type] : types) {
        EXPECT_EQ(ReadOne({{2, word}}).type, type) << word;
    }
    const std::pair<const char*, int32_t> flags[] = {{"T", 1},
                                                     {"1", 1},
                                                     {"True", 1},
                                                     {"F", 0},
                                                     {"0", 0},
                                                     {"no", kPanelNotApplicable},
                                                     {"t", kPanelUnknown},
                                                     {"?", kPanelUnknown}};
    for (const auto& [word, flag] : flags) {
        EXPECT_EQ(ReadOne({{5, word}}).isEL, flag) << word;
        EXPECT_EQ(ReadOne({{22, word}}).maskFpshift, flag) << word;
    }
    const std::pair<const char*, int32_t> formats[] = {
        {"1", 0}, {"2", 1}, {"n", kPanelNotApplicable}, {"3", kPanelUnknown}, {"F", kPanelUnknown}};
    for (const auto& [word, format] : formats) {
        EXPECT_EQ(ReadOne({{8, word}}).dataFormat, format) << word;
    }
    const std::pair<const char*, int32_t> polarities[] = {
        {"H", 1}, {"High", 1}, {"L", 0}, {"n", kPanelNotApplicable}, {"h", kPanelUnknown}};
    for (const auto& [word, polarity] : polarities) {
        EXPECT_EQ(ReadOne({{18, word}}).fplinePolarity, polarity) << word;
        EXPECT_EQ(ReadOne({{21, word}}).fpframePolarity, polarity) << word;
    }
    EXPECT_EQ(ReadOne({{13, "n"}, {15, "n"}}).timing13, 0);
    EXPECT_EQ(ReadOne({{13, "n"}, {15, "n"}}).timing15, 0);
}

TEST(PanelFile, ReadsNumbersThatNeverOverflow) {
    EXPECT_EQ(ReadOne({{3, "-640"}}).width, -640);
    EXPECT_EQ(ReadOne({{3, "+640"}}).width, 640);
    EXPECT_EQ(ReadOne({{3, "640px"}}).width, 640);
    EXPECT_EQ(ReadOne({{3, "wide"}}).width, 0);
    EXPECT_EQ(ReadOne({{3, "-"}}).width, 0);
    EXPECT_EQ(ReadOne({{3, "99999999999999999999"}}).width, INT32_MAX);
    EXPECT_EQ(ReadOne({{3, "-2147483648"}}).width, INT32_MIN);
    EXPECT_EQ(ReadOne({{3, "-99999999999"}}).width, INT32_MIN);
}

TEST(PanelFile, OnlyBlanksSeparateFields) {
    std::string line = PanelLine("P");
    const auto spaced =
        Read(std::string("PANEL   \"P\"    TFT   320").append(line.substr(line.find(" 320") + 4)),
             PanelSource::PanelsDef, KeepAll);
    ASSERT_EQ(spaced.list.PanelCount(), 1);
    EXPECT_EQ(spaced.list.PanelAt(0).width, 320);
    EXPECT_EQ(spaced.list.PanelAt(0).vndp, 22);

    // With a tab, "320\t240" is one word: every later field moves one place
    // forward and the last keeps its initial value.
    line.replace(line.find(" 240"), 1, "\t");
    const auto tabbed = Read(line, PanelSource::PanelsDef, KeepAll);
    ASSERT_EQ(tabbed.list.PanelCount(), 1);
    EXPECT_EQ(tabbed.list.PanelAt(0).width, 320);
    EXPECT_EQ(tabbed.list.PanelAt(0).height, 0); // "F"
    EXPECT_EQ(tabbed.list.PanelAt(0).hndp, 22);
    EXPECT_EQ(tabbed.list.PanelAt(0).vndp, 0);

    // A line that ends early leaves the missing fields as a new definition has them.
    const auto shortLine = Read("PANEL \"P\" STN 320\n", PanelSource::PanelsDef, KeepAll);
    ASSERT_EQ(shortLine.list.PanelCount(), 1);
    EXPECT_EQ(shortLine.list.PanelAt(0).height, 0);
    EXPECT_EQ(shortLine.list.PanelAt(0).isColor, kPanelUnknown);
}

TEST(PanelFile, NameLiesBetweenTheFirstTwoQuotes) {
    const auto skipped =
        Read("PANEL junk \"Two  words\"TFT 320\n", PanelSource::PanelsDef, KeepAll);
    ASSERT_EQ(skipped.list.PanelCount(), 1);
    EXPECT_EQ(skipped.list.PanelAt(0).name, "Two  words");
    EXPECT_EQ(skipped.list.PanelAt(0).type, PanelType::TFT);

    const std::string longest(78, 'N');
    const auto accepted = Read(PanelLine(longest));
    ASSERT_EQ(accepted.list.PanelCount(), 1);
    EXPECT_EQ(accepted.list.PanelAt(0).name, longest);
}

TEST(PanelFile, MalformedNameEmptiesTheWholeList) {
    const std::string good = PanelLine("Good");
    for (const std::string& bad : {PanelLine(std::string(79, 'N')), std::string("PANEL no quote\n"),
                                   std::string("PANEL \"unclosed TFT 320\n"), PanelLine("")}) {
        const auto result = Read("VERSION 2\n" + good + bad + good);
        EXPECT_EQ(result.list.PanelCount(), 0) << bad;
        EXPECT_FALSE(result.list.loaded);
        EXPECT_EQ(result.messages, std::vector<std::string>{"Invalid PANELS.DEF"});
        EXPECT_EQ(PanelFileMessages(result.list), "");
    }
    // The same text whichever file holds it.
    EXPECT_EQ(Read("PANEL x\n", PanelSource::DebugDef).messages,
              std::vector<std::string>{"Invalid PANELS.DEF"});
}

TEST(PanelFile, KeywordsAreExactAndLinesHaveRoomFor511Characters) {
    const std::string panel = PanelLine("P").substr(6); // without "PANEL "
    const auto ignored = Read("panel " + panel + " PANEL " + panel + "PANEL\t" + panel + "PANELS " +
                              panel + "; PANEL " + panel);
    EXPECT_EQ(ignored.list.PanelCount(), 0);
    EXPECT_TRUE(ignored.messages.empty());

    const auto crlf = Read("VERSION 2\r\nPANEL \"A\" TFT 320 240 F 12 F n T F 6300 60 30 400 3 16 "
                           "50 L 4 15 L n 80 22\r\n");
    ASSERT_EQ(crlf.list.PanelCount(), 1);
    EXPECT_EQ(crlf.list.PanelAt(0).vndp, 22);
    EXPECT_EQ(crlf.list.fileVersion, 2);

    // The 512th character starts a new line: a panel behind a 511-character
    // comment is read, and a panel line cut there loses its last fields.
    const auto behind = Read(std::string(511, ';') + PanelLine("Behind"));
    ASSERT_EQ(behind.list.PanelCount(), 1);
    EXPECT_EQ(behind.list.PanelAt(0).name, "Behind");
    std::string cut = PanelLine("Cut");
    const size_t last = cut.find(" 22\n");
    cut.insert(last, 510 - last, ' ');
    const auto tail = Read(cut, PanelSource::PanelsDef, KeepAll);
    ASSERT_EQ(tail.list.PanelCount(), 1);
    EXPECT_EQ(tail.list.PanelAt(0).hndp, 80);
    EXPECT_EQ(tail.list.PanelAt(0).vndp, 0);
}

TEST(PanelFile, VersionLineDecidesTheVersionMessage) {
    const auto none = Read(PanelLine("P"));
    EXPECT_EQ(none.list.PanelCount(), 1);
    EXPECT_EQ(PanelFileMessages(none.list),
              "ERROR: Version 2 of PANELS.DEF is required (you are currently using version 1).\n");
    EXPECT_EQ(PanelFileMessages(Read("VERSION 3\n", PanelSource::DebugDef).list),
              "ERROR: Version 2 of DEBUG.DEF is required (you are currently using version 3).\n");
    EXPECT_EQ(PanelFileMessages(Read("VERSION 1\nVERSION  2\n").list), "");
    EXPECT_EQ(PanelFileMessages(Read("VERSION 2\nVERSION 7\n").list),
              "ERROR: Version 2 of PANELS.DEF is required (you are currently using version 7).\n");
    EXPECT_EQ(Read("VERSION two\n").list.fileVersion, 0);

    const auto empty = Read("");
    EXPECT_TRUE(empty.list.loaded);
    EXPECT_EQ(empty.list.PanelCount(), 0);
    EXPECT_NE(PanelFileMessages(empty.list), "");
}

TEST(PanelFile, DisqualifiedPanelsAreKeptOnlyFromDebugDef) {
    const std::string text = PanelLine("Good") + PanelLine("Slow", {{11, "0"}}) +
                             PanelLine("Narrow", {{23, "24"}}) + PanelLine("Also good");
    const auto panels = Read(text, PanelSource::PanelsDef);
    ASSERT_EQ(panels.list.PanelCount(), 2);
    EXPECT_EQ(panels.list.PanelAt(1).name, "Also good");

    const auto debug = Read(text, PanelSource::DebugDef);
    ASSERT_EQ(debug.list.PanelCount(), 4);
    EXPECT_FALSE(debug.list.PanelAt(0).disqualified);
    EXPECT_TRUE(debug.list.PanelAt(1).disqualified);
    EXPECT_EQ(debug.list.PanelAt(1).reason, "There is no information on Slow in DEBUG.DEF.\n");
    EXPECT_EQ(debug.list.PanelAt(2).reason, "Narrow is disqualified: HNDP < 32.\n");
    EXPECT_EQ(debug.list.PanelAt(3).reason, "");

    const auto allBad = Read(PanelLine("Slow", {{11, "0"}}) + PanelLine("D", {{2, "D-TFD"}}));
    EXPECT_TRUE(allBad.list.loaded);
    EXPECT_EQ(allBad.list.PanelCount(), 0);
    EXPECT_EQ(
        Read(PanelLine("Slow", {{11, "0"}}) + PanelLine("D", {{2, "D-TFD"}}), PanelSource::DebugDef)
            .list.PanelCount(),
        2);
}

TEST(PanelFile, KeepsMoreThanAHundredPanels) {
    std::string text;
    for (int i = 0; i < 150; ++i) {
        text += PanelLine(std::string("Panel ").append(std::to_string(i)));
    }
    const auto result = Read(text);
    ASSERT_EQ(result.list.PanelCount(), 150);
    EXPECT_EQ(result.list.PanelAt(149).name, "Panel 149");
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
    EXPECT_EQ(nothing.list.source, PanelSource::PanelsDef);
    EXPECT_TRUE(nothing.messages.empty());
    EXPECT_EQ(PanelFileMessages(nothing.list), "");

    test::WriteFile(dir / "PANELS.DEF",
                    std::string("VERSION 2\n").append(PanelLine("From PANELS.DEF")));
    auto panels = LoadFrom(dir.path());
    ASSERT_EQ(panels.list.PanelCount(), 1);
    EXPECT_EQ(panels.list.source, PanelSource::PanelsDef);

    // A directory of that name is no file; the other file is read.
    std::filesystem::create_directory(dir / "DEBUG.DEF");
    EXPECT_EQ(LoadFrom(dir.path()).list.PanelAt(0).name, "From PANELS.DEF");
    std::filesystem::remove(dir / "DEBUG.DEF");

    test::WriteFile(dir / "DEBUG.DEF", PanelLine("From DEBUG.DEF"));
    const auto debug = LoadFrom(dir.path() + "/");
    ASSERT_EQ(debug.list.PanelCount(), 1);
    EXPECT_EQ(debug.list.PanelAt(0).name, "From DEBUG.DEF");
    EXPECT_EQ(debug.list.source, PanelSource::DebugDef);
    EXPECT_EQ(debug.list.fileVersion, 1);

    // A list is loaded once.
    LoadPanelDefinitions(panels.list, dir.path(), {});
    EXPECT_EQ(panels.list.PanelAt(0).name, "From PANELS.DEF");
}

TEST(PanelFile, ReadErrorEmptiesTheList) {
    // A sysfs attribute claims a page and holds a few bytes: reading stops
    // short of the size the file gave, as a failing read would.
    const std::string shortFile = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (!std::filesystem::exists(shortFile)) {
        GTEST_SKIP() << "no " << shortFile;
    }
    const test::TempDir dir;
    test::WriteFile(dir / "PANELS.DEF", PanelLine("Never read"));
    std::filesystem::create_symlink(shortFile, dir / "DEBUG.DEF");
    const auto loaded = LoadFrom(dir.path());
    EXPECT_EQ(loaded.list.PanelCount(), 0);
    EXPECT_FALSE(loaded.list.loaded);
    EXPECT_EQ(loaded.messages, std::vector<std::string>{"Error reading panel DEF file"});
}

} // namespace
} // namespace zlc

#include "panels/PanelText.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::PanelLine;
using test::Read;

// Keeps every panel, so that the raw field values can be looked at.
PanelDefinition ReadOne(const std::string& text) {
    const auto result = Read(text, PanelSource::PanelsDef, [](auto&, auto&) { return false; });
    return result.list.PanelCount() == 1 ? result.list.PanelAt(0) : PanelDefinition{};
}

TEST(PanelFile, EachWordLandsInItsMemberAsItsKindOfField) {
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

    using D = PanelDefinition;
    const std::tuple<int, const char*, int32_t D::*, int32_t> cases[] = {
        // clang-format off
        {2, "S", &D::type, 1}, {2, "D-TFD", &D::type, 4}, {2, "TF", &D::type, 2},
        {2, "TFTX", &D::type, -4}, {2, "stn", &D::type, -4}, {5, "True", &D::isEL, 1},
        {5, "0", &D::isEL, 0}, {5, "no", &D::isEL, -2}, {5, "t", &D::isEL, -4},
        {8, "2", &D::dataFormat, 1}, {8, "3", &D::dataFormat, -4},
        {18, "High", &D::fplinePolarity, 1}, {21, "h", &D::fpframePolarity, -4},
        {13, "n", &D::timing13, 0}, {3, "+640", &D::width, 640}, {3, "640px", &D::width, 640},
        {3, "wide", &D::width, 0}, {3, "99999999999", &D::width, INT32_MAX},
        // clang-format on
    };
    for (const auto& [field, word, member, expected] : cases) {
        EXPECT_EQ(ReadOne(PanelLine("P", {{field, word}})).*member, expected) << field << word;
    }
}

TEST(PanelFile, OnlyBlanksSeparateAndLinesHoldAtMost511Characters) {
    // With a tab, "320\t240" is one word: later fields move up one place and
    // the last keeps the value of a new definition.
    std::string line = PanelLine("P");
    line.replace(line.find(" 240"), 1, "\t");
    line.replace(line.find(" 12 "), 1, "    ");
    EXPECT_EQ(ReadOne(line).width, 320);
    EXPECT_EQ(ReadOne(line).hndp, 22);
    EXPECT_EQ(ReadOne(line).vndp, 0);

    // The 512th character starts a new line: a panel behind a 511-character
    // comment is read, and a panel line cut there loses its last field.
    EXPECT_EQ(ReadOne(std::string(511, ';') + PanelLine("Behind")).name, "Behind");
    std::string cut = PanelLine("Cut");
    const size_t last = cut.find(" 22\n");
    cut.insert(last, 510 - last, ' ');
    EXPECT_EQ(ReadOne(cut).vndp, 0);

    std::string crlf = "VERSION 2\r\n" + PanelLine("A");
    crlf.insert(crlf.size() - 1, "\r");
    EXPECT_EQ(Read(crlf).list.fileVersion, 2);
    EXPECT_EQ(Read(crlf).list.PanelAt(0).vndp, 22);

    const std::string panel = PanelLine("P").substr(6); // without "PANEL "
    EXPECT_EQ(Read("panel " + panel + "PANEL\t" + panel + "PANELS " + panel).list.PanelCount(), 0);
}

TEST(PanelFile, MalformedNameEmptiesTheWholeList) {
    EXPECT_EQ(ReadOne("PANEL junk \"Two  words\"TFT 320\n").name, "Two  words");
    EXPECT_EQ(ReadOne(PanelLine(std::string(78, 'N'))).name, std::string(78, 'N'));
    for (const std::string& bad : {PanelLine(std::string(79, 'N')), std::string("PANEL no quote\n"),
                                   std::string("PANEL \"unclosed TFT 320\n"), PanelLine("")}) {
        const auto result = Read("VERSION 2\n" + PanelLine("Good") + bad, PanelSource::DebugDef);
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

    // PANELS.DEF drops disqualified panels and keeps any number of the others.
    std::string text = PanelLine("Narrow", {{23, "24"}});
    for (int i = 0; i < 150; ++i) {
        text += PanelLine(std::to_string(i));
    }
    EXPECT_EQ(Read(text).list.PanelCount(), 150);

    // DEBUG.DEF keeps them all, each disqualified one with its reason.
    const std::pair<std::vector<std::pair<int, std::string>>, std::string> cases[] = {
        {{}, ""},
        {{{11, "0"}, {2, "D"}}, "There is no information on P in DEBUG.DEF.\n"},
        {{{3, "1024"}, {4, "640"}}, ""}, // exactly 80K
        {{{3, "65536"}, {4, "65536"}}, "P is disqualified: requires more than 80K.\n"},
        {{{5, "t"}, {7, "t"}}, ""},
        {{{16, "15"}}, "P is disqualified: FPLINEStart < 16.\n"},
        {{{16, "8"}, {2, "S"}}, ""},
        {{{23, "32"}}, ""},
        {{{2, "D"}, {3, "1024"}, {4, "768"}, {5, "T"}, {7, "T"}, {16, "0"}, {11, "-1"}, {23, "31"}},
         "P is disqualified: it is a D-TFD; requires more than 80K; it is an EL; needs support "
         "for TFT 2x; HNDP < 32.\n"},
    };
    for (const auto& [changes, reason] : cases) {
        const auto debug = Read(PanelLine("P", changes), PanelSource::DebugDef);
        ASSERT_EQ(debug.list.PanelCount(), 1);
        EXPECT_EQ(debug.list.PanelAt(0).disqualified, !reason.empty()) << reason;
        EXPECT_EQ(debug.list.PanelAt(0).reason, reason);
    }
}

// Which file wins is shown through the command line; here, what is no file.
TEST(PanelFile, LoadsOnceAndReportsAFileThatCannotBeRead) {
    const test::TempDir dir;
    test::WriteFile(dir / "PANELS.DEF", PanelLine("From PANELS.DEF"));
    std::filesystem::create_directory(dir / "DEBUG.DEF"); // a directory of that name is no file
    PanelList panels;
    LoadPanelDefinitions(panels, dir.path() + "/", {});
    EXPECT_EQ(panels.source, PanelSource::PanelsDef);
    std::filesystem::remove(dir / "DEBUG.DEF");
    test::WriteFile(dir / "DEBUG.DEF", PanelLine("From DEBUG.DEF"));
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
        EXPECT_EQ(failed.PanelCount(), 0);
        EXPECT_FALSE(failed.loaded);
    }
}

} // namespace
} // namespace zlc

#include "virt/Keys.h"
#include "virt/Panner.h"
#include "virt/VirtOptions.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace zlc::virt {
namespace {

VirtOptions Parse(std::vector<std::string> words) {
    return ParseVirtOptions(words);
}

TEST(VirtOptions, WordsAreTakenFromTheLastSoTheFirstWrittenWins) {
    EXPECT_EQ(Parse({"/L", "/P"}).orientation, 0);
    EXPECT_EQ(Parse({"-p", "/l"}).orientation, 1);
    VirtOptions options = Parse({"/alt"});
    EXPECT_TRUE(options.alternate);
    EXPECT_EQ(options.orientation, 1);
    EXPECT_FALSE(options.automatic);
    options = Parse({"/AUTOMATIC", "/ALTO", "file", "/w=1024"});
    EXPECT_TRUE(options.automatic);
    EXPECT_FALSE(options.alternate);
    EXPECT_EQ(options.virtualWidth, 1024);
    EXPECT_EQ(options.outcome, VirtOptions::Run);

    // A width narrower than a byte of pixels would divide by zero lines.
    for (const char* width : {"/W=", "/W=7", "/W=65536", "/W=12x", "/W=-640"}) {
        EXPECT_EQ(Parse({width}).outcome, VirtOptions::BadWidth) << width;
    }
    EXPECT_EQ(Parse({"/W=8"}).virtualWidth, 8);
}

// Keys written into a pipe, read back one by one.
std::vector<int> Decode(const std::string& bytes) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    EXPECT_EQ(write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fds[1]);
    std::vector<int> keys;
    {
        KeyReader reader(fds[0]);
        for (int key = reader.Read(100); key != kKeyEndOfInput; key = reader.Read(100)) {
            keys.push_back(key);
        }
    }
    close(fds[0]);
    return keys;
}

TEST(KeyReader, TerminalSequencesBecomeExtendedCodesAndPlainKeysUpperCase) {
    EXPECT_EQ(Decode("\x1b[A\x1b[B\x1b[C\x1b[D\x1bOA\x1b[H\x1b[F\x1b[1~\x1b[4~\x1bOF"
                     "\x1b[1;5A\x1b[1;5B\x1b[1;5C\x1b[1;5D\x1b[1;2A\x1b[1;7D"),
              (std::vector<int>{kKeyUp, kKeyDown, kKeyRight, kKeyLeft, kKeyUp, kKeyHome, kKeyEnd,
                                kKeyHome, kKeyEnd, kKeyEnd, kKeyCtrlUp, kKeyCtrlDown, kKeyCtrlRight,
                                kKeyCtrlLeft, kKeyUp, kKeyCtrlLeft}));
    // Unknown sequences are some other key, not stray letters; a lone Esc is Esc.
    EXPECT_EQ(Decode("\x1b[5~\x1b[200~xbh\x1b"),
              (std::vector<int>{kKeyOther, kKeyOther, 'X', 'B', kKeyUp, kKeyEsc}));
    EXPECT_EQ(Decode("\x1b"
                     "b"),
              (std::vector<int>{kKeyEsc, 'B'}));
}

TEST(Panner, AutomaticViewGoesRoundOnceClockwiseAndKeysSteerIt) {
    Panner round(32, 2, 16, true);
    std::vector<std::pair<int, int>> path;
    PanAction action = PanAction::Continue;
    for (int i = 0; i < 20 && action == PanAction::Continue; ++i) {
        action = round.Tick();
        path.emplace_back(round.x(), round.y());
    }
    EXPECT_EQ(action, PanAction::NextDepth);
    EXPECT_EQ(path,
              (std::vector<std::pair<int, int>>{
                  {0, 0}, {16, 0}, {32, 0}, {32, 1}, {32, 2}, {16, 2}, {0, 2}, {0, 1}, {0, 0}}));

    Panner panner(64, 64, 16, true);
    panner.Tick(); // up at the top: on to the right
    panner.Tick();
    EXPECT_EQ(panner.x(), 16);
    panner.Key('Q'); // any other key reverses
    panner.Tick();
    EXPECT_EQ(panner.x(), 0);
    panner.Key(kKeyDown);
    panner.Tick();
    panner.Tick();
    EXPECT_EQ(panner.y(), 2);
    EXPECT_EQ(panner.Key(kKeyEsc), PanAction::Quit);
}

TEST(Panner, ManualKeysStopAtTheEdgesOfTheVirtualScreen) {
    Panner panner(32, 1, 16, false);
    for (int key : {kKeyLeft, kKeyUp}) {
        panner.Key(key);
    }
    EXPECT_EQ(std::make_pair(panner.x(), panner.y()), std::make_pair(0, 0));
    for (int key : {kKeyRight, kKeyRight, kKeyRight, kKeyDown, kKeyDown}) {
        panner.Key(key);
    }
    EXPECT_EQ(std::make_pair(panner.x(), panner.y()), std::make_pair(32, 1));
}

} // namespace
} // namespace zlc::virt

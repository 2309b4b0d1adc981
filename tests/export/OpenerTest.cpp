#include "platform/Opener.h"

#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace zlc::platform {
namespace {

using Words = std::vector<std::string>;

TEST(Opener, TextGoesToTheUsersEditorElseToTheDesktop) {
    EXPECT_EQ(OpenerCommand("/t/a.h", OpenWith::TextEditor, "code --wait", "vi"),
              (Words{"code", "--wait", "/t/a.h"}));
    EXPECT_EQ(OpenerCommand("/t/a.h", OpenWith::TextEditor, "  ", "vi"), (Words{"vi", "/t/a.h"}));
    EXPECT_EQ(OpenerCommand("/t/a.h", OpenWith::TextEditor, nullptr, nullptr),
              (Words{"xdg-open", "/t/a.h"}));
    // A web page is the desktop's business whatever editor is set.
    EXPECT_EQ(OpenerCommand("/t/a b.html", OpenWith::AssociatedProgram, "vi", "vi"),
              (Words{"xdg-open", "/t/a b.html"}));
}

TEST(Opener, StartingReportsWhetherTheProgramCouldBeStarted) {
    const test::TempDir dir;
    const std::string marker = dir / "it ran";
    EXPECT_TRUE(StartDetached({"touch", marker}));
    // The program runs on its own; give it a moment to leave its mark.
    for (int i = 0; i < 200 && !std::filesystem::exists(marker); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(std::filesystem::exists(marker));

    EXPECT_FALSE(StartDetached({"zlc-no-such-program-anywhere", marker}));
    EXPECT_FALSE(StartDetached({}));
}

} // namespace
} // namespace zlc::platform

// 62740CFG runs under the user's locale (QApplication takes it from the
// environment). CTest starts this program with LC_ALL=tr_TR.UTF-8, where the
// letter case of 'i' and 'I' is not the ASCII one; file types must still be
// told by their ASCII extension.
#include "support/BlockImages.h"
#include "ui/qt/WindowFixture.h"

#include <clocale>
#include <cwctype>

namespace zlc::ui::qt {
namespace {

using TurkishLocale = WindowFixture;

TEST_F(TurkishLocale, OpensAnIdpFileAndOffersItsOwnSaveAsFilter) {
    // Without the Turkish case rules in force this test would prove nothing.
    ASSERT_STREQ(std::setlocale(LC_CTYPE, nullptr), "tr_TR.UTF-8");
    ASSERT_EQ(std::towupper(L'i'), static_cast<std::wint_t>(0x130)); // dotted capital I

    const std::string name = dir / "x.idp";
    zlc::test::WriteFile(
        name, zlc::test::ImageWith(2048, 700, zlc::test::BlockBytes(DefaultConfigBlock())));
    Open(name);
    EXPECT_TRUE(window->windowTitle().startsWith("x.idp[*] - "));

    window->TriggerCommand(Commands::SaveAs); // answered with Cancel
    ASSERT_EQ(scripted->requests.size(), 2u);
    const std::vector<FileFilter>& filters = scripted->requests.back().filters;
    ASSERT_FALSE(filters.empty());
    EXPECT_EQ(filters.front().description, "IDP Files");
    EXPECT_EQ(filters.front().patterns, "*.IDP");
}

} // namespace
} // namespace zlc::ui::qt

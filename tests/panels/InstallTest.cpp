// An installation made by `cmake --install` works where it lands: its programs
// find the shipped PANELS.DEF in the data directory, since none is beside them.
#include "support/Process.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::Quote;

TEST(Install, InstalledProgramsReadTheShippedPanels) {
    const test::TempDir prefix;
    const auto install = test::Shell(Quote(ZLC_CMAKE_COMMAND) + " --install " +
                                     Quote(ZLC_BUILD_DIR) + " --prefix " + Quote(prefix.path()));
    ASSERT_EQ(install.status, 0) << install.err;
    for (const char* file :
         {"share/zlc62740/PANELS.DEF", "share/doc/zlc62740/README.md", "bin/62740VIRT"}) {
        EXPECT_TRUE(std::filesystem::exists(prefix / file)) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(prefix / "bin/PANELS.DEF"));

    const auto installed = test::Shell(Quote(prefix / "bin/zlc62740") + " panels");
    const auto built = test::Zlc({"panels"});
    ASSERT_EQ(installed.status, 0) << installed.err;
    EXPECT_NE(installed.out, "");
    EXPECT_EQ(installed.out, built.out);
}

} // namespace
} // namespace zlc

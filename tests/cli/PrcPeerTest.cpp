// A PRC file saved by zlc62740, read back by an independent reader of Palm
// resource databases (Perl's Palm::PDB), as srec_cat judges S-record files.
#include "cases/CaseFile.h"
#include "model/ConfigBlock.h"
#include "support/BlockImages.h"
#include "support/PrcImages.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::Quote;

// The reader's lines: the database, then one per resource.
std::vector<std::string> PeerListing(const std::string& path) {
    const auto result =
        test::Shell("perl " + Quote(std::string(ZLC_TEST_DATA_DIR) + "/peer/prc_resources.pl") +
                    " " + Quote(path));
    EXPECT_EQ(result.status, 0) << result.err;
    return test::Split(result.out, '\n');
}

TEST(PrcPeer, SavedFileHasTheSameResourcesWithOnlyTheDataChanged) {
    if (test::Shell("perl -MPalm::PDB -e 1").status != 0) {
        GTEST_SKIP() << "Palm::PDB is not installed (libpalm-perl, scripts/packages.txt)";
    }
    std::vector<uint8_t> payload(40, 0x11);
    const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
    payload.insert(payload.end(), block.begin(), block.end());
    payload.insert(payload.end(), 24, 0x00);
    const std::vector<uint8_t> end = {0x00};
    std::vector<uint8_t> image = test::PrcDatabase(
        "appl",
        {{"code", 1, std::vector<uint8_t>(33, 0xC0)},
         {"data", 0,
          test::DataResource({test::LiteralStream(payload), test::LiteralStream({1, 2}), end})},
         {"tAIN", 1000, {'A', 'p', 'p', 0}},
         {"tver", 1, {'1', '.', '0', 0}}});
    image[33] |= 0x01; // the resource-database attribute, which the peer requires
    const test::TempDir dir;
    const std::string file = dir / "app.prc";
    test::WriteFile(file, image);
    const std::vector<std::string> before = PeerListing(file);
    ASSERT_EQ(before.size(), 5u);

    const auto save =
        test::Shell(Quote(std::string(ZLC_BIN_DIR) + "/zlc62740") + " --in " + Quote(file) +
                    " --set 'Horizontal Panel Size=640' save " + Quote(file));
    ASSERT_EQ(save.status, 0) << save.err;

    const std::vector<std::string> after = PeerListing(file);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[0], before[0]);
    for (size_t i = 1; i < before.size(); ++i) {
        const std::string typeAndId = before[i].substr(0, before[i].find(' ', 5));
        EXPECT_TRUE(after[i].starts_with(typeAndId + " ")) << after[i];
        if (typeAndId == "data 0") {
            EXPECT_NE(after[i], before[i]) << "the data resource holds the new block";
        } else {
            EXPECT_EQ(after[i], before[i]);
        }
    }
}

} // namespace
} // namespace zlc

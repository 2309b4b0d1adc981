// The file commands of zlc62740, run as a user runs them, on files made by the
// real tools: a C compiler for the host and for a big-endian target, objcopy
// for S-record files, and srec_cat to judge what was written.
#include "support/Process.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zlc {
namespace {

using test::Quote;
using test::Shell;

const std::string kTool = std::string(ZLC_BIN_DIR) + "/zlc62740";
const std::string kPeerSource = std::string(ZLC_TEST_DATA_DIR) + "/peer/hal_block.c";
const std::string kSetWidth = " --set 'Horizontal Panel Size=640' ";
constexpr uint8_t kWidthRegister640 = 0x4F; // REG[04h] = 640 / 8 - 1

test::RunResult Tool(const std::string& arguments) {
    return Shell(Quote(kTool) + " " + arguments);
}

// The block's 68 bytes in a byte string; empty unless exactly one is there.
std::vector<uint8_t> FindBlock(const std::vector<uint8_t>& bytes) {
    static const std::string id("6274 HAL EXE\0", 13);
    std::vector<uint8_t> found;
    int count = 0;
    for (auto it = bytes.begin();
         (it = std::search(it, bytes.end(), id.begin(), id.end())) != bytes.end(); ++it) {
        if (bytes.end() - it >= 68) {
            found.assign(it, it + 68);
            ++count;
        }
    }
    return count == 1 ? found : std::vector<uint8_t>{};
}

class FileCommands : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return dir / name; }

    // The .data section of an ELF file, as its target's objcopy extracts it.
    std::vector<uint8_t> DataSection(const std::string& objcopy, const std::string& elf) {
        const std::string out = Path("section.bin");
        EXPECT_EQ(
            Shell(objcopy + " -O binary --only-section=.data " + Quote(elf) + " " + Quote(out))
                .status,
            0);
        return test::ReadFile(out);
    }

    test::TempDir dir;
};

TEST_F(FileCommands, FailuresGoToStderrWithTheirExitStatus) {
    const std::string missing = Path("missing.s9");
    const test::RunResult r = Tool("save " + Quote(missing));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("File \"" + missing + "\"") && r.err.ends_with("directory\n"));
}

TEST_F(FileCommands, SaveConfigureAndSaveAsOnCompiledPrograms) {
    const std::string app = Path("app");
    ASSERT_EQ(Shell("cc -O0 -o " + Quote(app) + " " + Quote(kPeerSource)).status, 0);
    const std::string copy = Path("app-640");

    test::RunResult r =
        Tool("--in " + Quote(app) + kSetWidth + "save " + Quote(app) + " --as " + Quote(copy));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Configuration data saved in file \"" + copy + "\".\n");
    EXPECT_EQ(FindBlock(DataSection("objcopy", app))[0x14 + 4], 0x27) << "source unchanged";
    EXPECT_EQ(FindBlock(DataSection("objcopy", copy))[0x14 + 4], kWidthRegister640);
    EXPECT_EQ(Shell(Quote(copy)).status, 1) << "the copy runs and sees its new block";

    const std::string other = Path("other.elf");
    ASSERT_EQ(Shell("cp " + Quote(app) + " " + Quote(other)).status, 0);
    const std::vector<uint8_t> own = FindBlock(DataSection("objcopy", other));
    r = Tool(kSetWidth + "--set 'Physical Display Buffer Address=0x200000' " +
             "--set 'Physical Register Address=0x21FFE0' configure " + Quote(app) + " " +
             Quote(Path("gone.exe")) + " " + Quote(other) + " --preserve-physical-addresses");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Summary of configured files:\n\nOK\t" + app + "\nError\t" + Path("gone.exe") +
                         "\nOK\t" + other + "\n");
    EXPECT_NE(r.err.find(Path("gone.exe")), std::string::npos);
    const std::vector<uint8_t> block = FindBlock(DataSection("objcopy", other));
    ASSERT_EQ(block.size(), 68u);
    EXPECT_EQ(block[0x14 + 4], kWidthRegister640);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 0x38, block.begin() + 0x40),
              std::vector<uint8_t>(own.begin() + 0x38, own.begin() + 0x40))
        << "both of the file's own addresses are kept";
}

TEST_F(FileCommands, BigEndianProgramKeepsItsByteOrder) {
    if (!test::HaveTool("powerpc-linux-gnu-gcc")) {
        GTEST_SKIP() << "no big-endian cross compiler";
    }
    const std::string elf = Path("board.elf");
    ASSERT_EQ(Shell("powerpc-linux-gnu-gcc -c -o " + Quote(elf) + " " + Quote(kPeerSource)).status,
              0);
    const test::RunResult r =
        Tool("--in " + Quote(elf) + kSetWidth + "--set 'CLKI Timing=25000000' save " + Quote(elf));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<uint8_t> block = FindBlock(DataSection("powerpc-linux-gnu-objcopy", elf));
    ASSERT_EQ(block.size(), 68u);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 0x10, block.begin() + 0x14),
              (std::vector<uint8_t>{0x12, 0x34, 0x00, 0x44}));
    EXPECT_EQ(block[0x14 + 4], kWidthRegister640);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 0x34, block.begin() + 0x38),
              (std::vector<uint8_t>{0x00, 0x00, 0x61, 0xA8}))
        << "25000 kHz, big-endian";
}

struct SRecordFlavour {
    const char* name;
    const char* objcopyOptions;
};

class SRecordPeers : public FileCommands, public ::testing::WithParamInterface<SRecordFlavour> {};

TEST_P(SRecordPeers, SavedFileIsAcceptedBySrecCatAndCarriesTheNewBlock) {
    if (!test::HaveTool("srec_cat")) {
        GTEST_SKIP() << "srec_cat is not installed";
    }
    const std::string app = Path("app");
    ASSERT_EQ(Shell("cc -O0 -o " + Quote(app) + " " + Quote(kPeerSource)).status, 0);
    const std::vector<uint8_t> data = DataSection("objcopy", app);
    const std::string bin = Path("data.bin");
    test::WriteFile(bin, data);
    const std::string s9 = Path("app.s9");
    ASSERT_EQ(Shell(std::string("objcopy -I binary -O srec --srec-len=16 ") +
                    GetParam().objcopyOptions + " " + Quote(bin) + " " + Quote(s9))
                  .status,
              0);
    const std::string text = test::ReadText(s9);
    ASSERT_NE(text.find(std::string("\nS") + GetParam().name[1]), std::string::npos);

    const test::RunResult r = Tool("--in " + Quote(s9) + kSetWidth + "save " + Quote(s9));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadText(s9).size(), text.size());

    const test::RunResult check = Shell("srec_cat " + Quote(s9) + " -o " + Quote(Path("out.s9")));
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.err, "");
    ASSERT_EQ(
        Shell("objcopy -I srec -O binary " + Quote(s9) + " " + Quote(Path("back.bin"))).status, 0);
    std::vector<uint8_t> back = test::ReadFile(Path("back.bin"));
    const std::vector<uint8_t> newBlock = FindBlock(back);
    ASSERT_EQ(newBlock.size(), 68u);
    EXPECT_EQ(newBlock[0x14 + 4], kWidthRegister640);
    const std::vector<uint8_t> oldBlock = FindBlock(data);
    std::copy(oldBlock.begin(), oldBlock.end(),
              std::search(back.begin(), back.end(), newBlock.begin(), newBlock.end()));
    EXPECT_EQ(back, data) << "only the block changed";
}

INSTANTIATE_TEST_SUITE_P(ObjcopyMade, SRecordPeers,
                         ::testing::Values(SRecordFlavour{"S1", ""},
                                           SRecordFlavour{"S2", "--change-addresses 0x10000"},
                                           SRecordFlavour{"S3", "--srec-forceS3"}),
                         [](const auto& flavour) { return std::string(flavour.param.name); });

} // namespace
} // namespace zlc

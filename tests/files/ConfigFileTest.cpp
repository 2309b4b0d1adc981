#include "files/ConfigFile.h"

#include "files/BlockSearch.h"
#include "files/ConfigureMultiple.h"
#include "support/BlockImages.h"
#include "support/FileFixture.h"
#include "support/PrcImages.h"
#include "support/SRecordText.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlc {
namespace {

using test::BlockBytes;
using test::FileState;

std::string OpenMessage(const std::string& path, const std::string& reason) {
    return "File \"" + path + "\" could not be opened because:\n\n" + reason;
}

std::string SaveMessage(const std::string& path, const std::string& reason) {
    return "File \"" + path + "\" could not be saved because:\n\n" + reason;
}

// Opening and saving `path` both fail, naming the file and `reason`.
void ExpectRefused(const std::string& path, const std::string& reason) {
    ConfigDocument doc;
    EXPECT_EQ(LoadConfigFile(doc, path).message, OpenMessage(path, reason));
    EXPECT_EQ(SaveConfigFile(doc, path, std::nullopt, false).message, SaveMessage(path, reason));
}

using FileTest = test::FileFixture;

// The same behaviour over a raw image and a PRC database, each holding
// `payload`. S-record text goes through the same steps in the save-path tests
// and, with srec_cat to judge, in the command-line tests.
struct RawContainer {
    static constexpr const char* kName = "image.exe";
    static std::vector<uint8_t> Wrap(const std::vector<uint8_t>& payload) { return payload; }
    static std::vector<uint8_t> Unwrap(const std::vector<uint8_t>& file) { return file; }
};

struct PrcContainer {
    static constexpr const char* kName = "image.prc";
    static std::vector<uint8_t> Wrap(const std::vector<uint8_t>& payload) {
        const std::vector<uint8_t> empty = test::LiteralStream({});
        return test::PrcDatabase(
            "appl", {{"code", 1, std::vector<uint8_t>(40, 0x4E)},
                     {"data", 0, test::DataResource({test::LiteralStream(payload), empty, empty})},
                     {"tAIN", 1000, {'A', 'p', 'p', 0}}});
    }
    // The last resource runs to the end of the file: nothing stale follows it.
    static std::vector<uint8_t> Unwrap(const std::vector<uint8_t>& file) {
        EXPECT_EQ(test::ResourceBytes(file, 2), (std::vector<uint8_t>{'A', 'p', 'p', 0}));
        return test::DecodedBlock(test::ResourceBytes(file, 1), 0);
    }
};

// The block lies across a literal code of the PRC stream (every 128 bytes),
// as a compressed block always interrupts it, so the raw search does not
// take the PRC file for a raw image.
constexpr size_t kBlockOffset = 120;

ConfigBlock FileBlock() {
    ConfigBlock block = DefaultConfigBlock();
    block.regs[0x04] = 0x13;
    block.clkiKHz = 33000;
    block.physMemAddr = 0x00A00000;
    block.physRegAddr = 0x00A1FFE0;
    block.frameRate = 60;
    return block;
}

std::vector<uint8_t>
PayloadWith(const std::vector<std::pair<size_t, std::vector<uint8_t>>>& parts) {
    std::vector<uint8_t> payload(400);
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    for (const auto& [offset, bytes] : parts) {
        std::copy(bytes.begin(), bytes.end(),
                  payload.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    return payload;
}

template <typename Container> class ContainerSuite : public FileTest {
  protected:
    std::string Put(const std::vector<uint8_t>& payload) {
        return FileTest::Put(Container::kName, Container::Wrap(payload));
    }
};

using Containers = ::testing::Types<RawContainer, PrcContainer>;
TYPED_TEST_SUITE(ContainerSuite, Containers);

// Loaded in host order, saved in the file's own order with nothing else
// changed; with preservePhysicalAddress the file keeps its address as stored.
// A copy is made in the source's order.
TYPED_TEST(ContainerSuite, SavesInTheFilesOwnByteOrderAndChangesOnlyTheBlock) {
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const std::string path =
            this->Put(PayloadWith({{kBlockOffset, BlockBytes(FileBlock(), bigEndian)}}));
        ConfigDocument doc;
        doc.lcdPowerOffTimeMs = 750;
        ASSERT_TRUE(LoadConfigFile(doc, path).ok);
        EXPECT_EQ(BlockBytes(doc.block), BlockBytes(FileBlock()));
        EXPECT_EQ(doc.lcdPowerOffTimeMs, 750u) << "a load replaces the block only";

        doc.SetRegister(0x04, 0x4F);
        doc.block.clkiKHz = 25000;
        const FileOutcome saved = SaveConfigFile(doc, path, std::nullopt, false);
        ASSERT_TRUE(saved.ok) << saved.message;
        EXPECT_EQ(TypeParam::Unwrap(test::ReadFile(path)),
                  PayloadWith({{kBlockOffset, BlockBytes(doc.block, bigEndian)}}));

        ConfigBlock expected = doc.block;
        doc.block.physMemAddr = 0x00200000;
        doc.SetRegister(0x04, 0x3F);
        expected.regs[0x04] = 0x3F;
        ASSERT_TRUE(SaveConfigFile(doc, path, std::nullopt, true).ok);
        EXPECT_EQ(TypeParam::Unwrap(test::ReadFile(path)),
                  PayloadWith({{kBlockOffset, BlockBytes(expected, bigEndian)}}));

        // Save As writes the copy and leaves the source alone.
        const FileState before = FileState::Of(path);
        const std::string copy = this->dir / (std::string("copy-") + TypeParam::kName);
        ASSERT_TRUE(SaveConfigFile(ConfigDocument{}, path, copy, false).ok);
        EXPECT_TRUE(FileState::Of(path) == before);
        EXPECT_EQ(TypeParam::Unwrap(test::ReadFile(copy)),
                  PayloadWith({{kBlockOffset, BlockBytes(DefaultConfigBlock(), bigEndian)}}));
    }
}

// A failed load leaves the document alone; a failed save leaves the file's
// bytes, length, mode and times.
TYPED_TEST(ContainerSuite, UnusableFileFailsWithItsMessageAndStaysAsItWas) {
    const std::vector<uint8_t> block = BlockBytes(FileBlock());
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {PayloadWith({{kBlockOffset, block}, {250, block}}), kMessageMultipleBlocks},
        {PayloadWith({}), kMessageNoConfigData},
    };
    for (const auto& [payload, message] : cases) {
        SCOPED_TRACE(message);
        const std::string path = this->Put(payload);
        const FileState before = FileState::Of(path);
        ConfigDocument doc;
        doc.SetRegister(0x04, 0x77);
        EXPECT_EQ(LoadConfigFile(doc, path).message, OpenMessage(path, message));
        EXPECT_EQ(doc.GetRegister(0x04), 0x77) << "document changed by a failed load";
        EXPECT_EQ(SaveConfigFile(doc, path, std::nullopt, false).message,
                  SaveMessage(path, message));
        EXPECT_TRUE(FileState::Of(path) == before);
    }
}

using ConfigFiles = FileTest;

std::vector<uint8_t> RawImage(size_t length = 512) {
    return test::ImageWith(length, 100, BlockBytes(DefaultConfigBlock()));
}

TEST_F(ConfigFiles, NamesAreAcceptedByExtensionInAnyCaseOrByElfMagic) {
    for (const char* name : {"a.EXE", "b.Elf", "f.pRc"}) {
        ConfigDocument doc;
        EXPECT_TRUE(LoadConfigFile(doc, Put(name, RawImage())).ok) << name;
    }
    std::vector<uint8_t> elf = RawImage();
    elf[0] = 0x7F, elf[1] = 'E', elf[2] = 'L', elf[3] = 'F';
    ConfigDocument doc;
    EXPECT_TRUE(LoadConfigFile(doc, Put("program", elf)).ok);
    EXPECT_TRUE(SaveConfigFile(doc, dir / "program", std::nullopt, false).ok);

    for (const char* name : {"block.bin", "program.exe.bak", ".hidden"}) {
        ExpectRefused(Put(name, RawImage()), "The file type is not supported.");
    }
    EXPECT_TRUE(HasNoExtension("dir.d/program"));
}

TEST_F(ConfigFiles, MissingEmptyAndOddFilesGiveTheirReason) {
    const std::string empty = Put("empty.s9", {});
    const std::string folder = dir / "folder.exe";
    std::filesystem::create_directory(folder);
    const std::string fifo = dir / "pipe.exe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> cases[] = {
        {dir / "missing.exe", "No such file or directory"},
        {empty, "The specified file has a length of zero."},
        {folder, "Is a directory"},
        {fifo, "The file is not a regular file."},
    };
    for (const auto& [path, reason] : cases) {
        ExpectRefused(path, reason);
    }
}

// A sparse image, whose block starts 20 bytes before a hole and so ends in
// the hole's zeros: writing anything but the block would allocate disk blocks
// where the file has none. Loads skip the holes but not the data behind them.
TEST_F(ConfigFiles, SuccessfulSaveDatesTheFileNowAndWritesOnlyTheBlock) {
    const std::vector<uint8_t> block = BlockBytes(DefaultConfigBlock());
    const std::string path =
        Put("sparse.elf", test::ImageWith(4096, 4076, {block.begin(), block.begin() + 20}));
    std::filesystem::resize_file(path, 64 << 20);
    test::SetOldTimes(path);
    ConfigDocument loaded;
    ASSERT_TRUE(LoadConfigFile(loaded, path).ok);
    EXPECT_EQ(loaded.block.clkiKHz, 0u);
    struct stat before {};
    ::stat(path.c_str(), &before);
    const time_t start = ::time(nullptr);
    ASSERT_TRUE(SaveConfigFile(Changed(), path, std::nullopt, false).ok);
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_LE(after.st_blocks, before.st_blocks + 8);
    EXPECT_GE(after.st_mtim.tv_sec, start);
    EXPECT_GE(after.st_atim.tv_sec, start);
    EXPECT_EQ(after.st_mode, before.st_mode);
    const std::vector<uint8_t> saved = test::ReadFile(path);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin() + 4076, saved.begin() + 4076 + kConfigBlockSize),
              BlockBytes(Changed().block));

    std::fstream(path, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(48 << 20)
        .write(reinterpret_cast<const char*>(block.data()), kConfigBlockSize);
    EXPECT_EQ(LoadConfigFile(loaded, path).reason,
              "The file contains multiple configuration data structures.");
}

// The content, not the name, decides the container; the reserve a grown file
// was built in never reaches the disk.
TEST_F(ConfigFiles, GrownSRecordFileEndsAtItsLastWrittenByte) {
    // A blank line at the first line end is repeated after every record.
    std::string text = test::SRecordFile(RawImage(200), {'1', 16, 0, "\n"});
    text.insert(text.find('\n'), "\n");
    const std::string path = Put("srecord.EXE", {text.begin(), text.end()});
    ASSERT_TRUE(SaveConfigFile(Changed(), path, std::nullopt, false).ok);
    EXPECT_EQ(test::ReadText(path),
              test::SRecordFile(test::ImageWith(200, 100, BlockBytes(Changed().block)),
                                {'1', 16, 0, "\n\n"}));
}

// A read-only source is refused in place; saved as a copy onto a read-only
// target, it gives a writable copy and stays as it was.
TEST_F(ConfigFiles, ReadOnlyFiles) {
    const std::string source = Put("locked.exe", RawImage());
    ::chmod(source.c_str(), 0444);
    const FileState before = FileState::Of(source);
    EXPECT_EQ(SaveConfigFile(Changed(), source, std::nullopt, false).message,
              SaveMessage(source, "Permission denied"));

    const std::string target = Put("old.exe", {1, 2, 3});
    ::chmod(target.c_str(), 0444);
    ASSERT_TRUE(SaveConfigFile(Changed(), source, target, false).ok);
    struct stat status {};
    ::stat(target.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
    EXPECT_EQ(test::ReadFile(target)[100 + 0x14 + 4], 0x4F);
    EXPECT_TRUE(FileState::Of(source) == before);
}

// A failed Save As leaves a file that already had the target's name alone,
// rather than deleting the copy that replaced it.
TEST_F(ConfigFiles, FailedSaveAsKeepsAnExistingTarget) {
    std::vector<uint8_t> twoBlocks = RawImage();
    const std::vector<uint8_t> block = BlockBytes(DefaultConfigBlock());
    std::copy(block.begin(), block.end(), twoBlocks.begin() + 300);
    const std::string source = Put("two.exe", twoBlocks);
    const std::string target = Put("precious.exe", RawImage());
    const FileState before = FileState::Of(target);
    EXPECT_EQ(SaveConfigFile(Changed(), source, target, false).message,
              SaveMessage(target, kMessageMultipleBlocks));
    EXPECT_TRUE(FileState::Of(target) == before);
    EXPECT_EQ(EntryCount(), 2u) << "no temporary file left behind";
}

// The command-line tests check the summary line by line; here it grows past
// the 4096 characters of a fixed buffer, which must not cut it.
TEST_F(ConfigFiles, ConfigureSummaryIsNeverCut) {
    std::vector<std::string> files;
    for (int i = 0; i < 60; ++i) {
        files.push_back(Put(std::string(80, 'n') + std::to_string(i) + ".exe", RawImage()));
    }
    files.insert(files.begin() + 1, dir / "missing.s9");
    // One S-record file under two names: saves of it, which replace the file,
    // must come one after the other even when other files are saved at once.
    const std::string text = test::SRecordFile(RawImage(), {'1', 16, 0, "\n"});
    std::string spaced = text;
    spaced.insert(spaced.find('\n'), "\n");
    files.insert(files.begin() + 3, Put("twice.s9", {spaced.begin(), spaced.end()}));
    std::filesystem::create_hard_link(files[3], dir / "again.s9");
    files.insert(files.begin() + 4, dir / "again.s9");
    const ConfigureResult result = ConfigureFiles(Changed(), files, false, nullptr);
    EXPECT_EQ(result.failures, 1u) << result.summary;
    EXPECT_EQ(test::ReadText(dir / "again.s9"),
              test::SRecordFile(test::ImageWith(512, 100, BlockBytes(Changed().block)),
                                {'1', 16, 0, "\n\n"}));
    EXPECT_GT(result.summary.size(), 4096u);
    EXPECT_TRUE(result.summary.ends_with("\nOK\t" + files.back() + "\n"));
    EXPECT_EQ(test::ReadFile(files.back())[100 + 0x14 + 4], 0x4F);
    EXPECT_EQ(ConfigureFiles(Changed(), {}, false, nullptr).summary, "ERROR: No files selected!");
}

} // namespace
} // namespace zlc

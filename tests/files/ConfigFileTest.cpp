#include "files/ConfigFile.h"

#include "files/BlockSearch.h"
#include "files/ConfigureMultiple.h"
#include "support/BlockImages.h"
#include "support/SRecordText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlc {
namespace {

using test::FileState;

std::vector<uint8_t> RawImage(size_t length = 512) {
    return test::ImageWith(length, 100, test::BlockBytes(DefaultConfigBlock()));
}

std::string OpenMessage(const std::string& path, const std::string& reason) {
    return "File \"" + path + "\" could not be opened because:\n\n" + reason;
}

std::string SaveMessage(const std::string& path, const std::string& reason) {
    return "File \"" + path + "\" could not be saved because:\n\n" + reason;
}

class ConfigFiles : public ::testing::Test {
  protected:
    std::string Put(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = dir / name;
        test::WriteFile(path, bytes);
        test::SetOldTimes(path);
        return path;
    }

    ConfigDocument Changed() const {
        ConfigDocument doc;
        doc.SetRegister(4, 0x4F);
        return doc;
    }

    test::TempDir dir;
};

TEST_F(ConfigFiles, NamesAreAcceptedByExtensionInAnyCaseOrByElfMagic) {
    for (const char* name : {"a.EXE", "a.exe", "b.Elf", "c.s9", "d.IDP", "e.lvb", "f.pRc"}) {
        ConfigDocument doc;
        EXPECT_TRUE(LoadConfigFile(doc, Put(name, RawImage())).ok) << name;
    }
    std::vector<uint8_t> elf = RawImage();
    std::copy_n("\x7F"
                "ELF",
                4, elf.begin());
    ConfigDocument doc;
    EXPECT_TRUE(LoadConfigFile(doc, Put("program", elf)).ok);
    EXPECT_TRUE(SaveConfigFile(doc, dir / "program", std::nullopt, false).ok);

    for (const char* name : {"block.bin", "program.exe.bak", "script", ".hidden"}) {
        const std::string path = Put(name, RawImage());
        const FileOutcome outcome = LoadConfigFile(doc, path);
        EXPECT_EQ(outcome.message, OpenMessage(path, kMessageTypeNotSupported)) << name;
        EXPECT_EQ(SaveConfigFile(doc, path, std::nullopt, false).reason, kMessageTypeNotSupported);
    }
    EXPECT_TRUE(HasNoExtension("dir.d/program"));
    EXPECT_FALSE(HasNoExtension("dir/program.o"));
}

TEST_F(ConfigFiles, MissingEmptyAndOddFilesGiveTheirReason) {
    ConfigDocument doc;
    const std::string missing = dir / "missing.exe";
    EXPECT_EQ(LoadConfigFile(doc, missing).message,
              OpenMessage(missing, "No such file or directory"));
    EXPECT_EQ(SaveConfigFile(doc, missing, std::nullopt, false).message,
              SaveMessage(missing, "No such file or directory"));

    const std::string empty = Put("empty.s9", {});
    const FileState before = FileState::Of(empty);
    EXPECT_EQ(LoadConfigFile(doc, empty).reason, kMessageZeroLength);
    EXPECT_EQ(SaveConfigFile(doc, empty, std::nullopt, false).reason, kMessageZeroLength);
    EXPECT_EQ(SaveConfigFile(doc, empty, dir / "copy.s9", false).reason, kMessageZeroLength);
    EXPECT_TRUE(FileState::Of(empty) == before);
    EXPECT_FALSE(std::filesystem::exists(dir / "copy.s9"));

    const std::string folder = dir / "folder.exe";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(LoadConfigFile(doc, folder).reason, "Is a directory");
    const std::string fifo = dir / "pipe.exe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LoadConfigFile(doc, fifo).reason, kMessageNotRegularFile);
    EXPECT_EQ(SaveConfigFile(doc, fifo, std::nullopt, false).reason, kMessageNotRegularFile);
}

TEST_F(ConfigFiles, ContentNotNameDecidesTheContainer) {
    const std::string text = test::SRecordFile(RawImage(200));
    const std::string path = Put("srecord.EXE", {text.begin(), text.end()});
    ASSERT_TRUE(SaveConfigFile(Changed(), path, std::nullopt, false).ok);
    std::vector<uint8_t> data;
    ASSERT_TRUE(test::SRecordData(test::ReadText(path), data));
    EXPECT_EQ(data[100 + 0x14 + 4], 0x4F);
    EXPECT_EQ(test::ReadText(path).size(), text.size());
}

TEST_F(ConfigFiles, SuccessfulSaveDatesTheFileNowAndWritesOnlyTheBlock) {
    // A sparse image: writing anything but the block would allocate disk
    // blocks where the file has none.
    const std::string path = dir / "sparse.elf";
    {
        test::WriteFile(path, std::vector<uint8_t>{});
        std::filesystem::resize_file(path, 64 << 20);
        std::FILE* f = std::fopen(path.c_str(), "r+b");
        std::fseek(f, 32 << 20, SEEK_SET);
        const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
        std::fwrite(block.data(), 1, block.size(), f);
        std::fclose(f);
    }
    test::SetOldTimes(path);
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
}

TEST_F(ConfigFiles, GrownSRecordFileEndsAtItsLastWrittenByte) {
    // A blank line at the first line end is repeated after every record.
    std::string text = test::SRecordFile(RawImage(200), {'1', 16, 0, "\n"});
    text.insert(text.find('\n'), "\n");
    const std::string path = Put("grow.s9", {text.begin(), text.end()});
    ASSERT_TRUE(SaveConfigFile(Changed(), path, std::nullopt, false).ok);
    const std::string saved = test::ReadText(path);
    EXPECT_GT(saved.size(), text.size());
    EXPECT_EQ(saved.size() - text.size(), 14u) << "one more line end after each of 15 lines";
    EXPECT_EQ(saved.substr(saved.size() - 12), "S9030000FC\n\n") << "no zeros from the reserve";
}

TEST_F(ConfigFiles, ReadOnlyFileIsNotSavedInPlace) {
    const std::string path = Put("locked.exe", RawImage());
    ::chmod(path.c_str(), 0444);
    const FileState before = FileState::Of(path);
    EXPECT_EQ(SaveConfigFile(Changed(), path, std::nullopt, false).message,
              SaveMessage(path, "Permission denied"));
    EXPECT_TRUE(FileState::Of(path) == before);
}

TEST_F(ConfigFiles, SaveAsOntoTheSameFileSavesInPlace) {
    const std::string path = Put("app.exe", RawImage());
    ASSERT_TRUE(SaveConfigFile(Changed(), path, path, false).ok);
    const std::string link = dir / "link.exe";
    std::filesystem::create_symlink(path, link);
    ConfigDocument doc;
    doc.SetRegister(4, 0x11);
    ASSERT_TRUE(SaveConfigFile(doc, path, link, false).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link was not replaced by a copy";
    ConfigDocument reread;
    ASSERT_TRUE(LoadConfigFile(reread, path).ok);
    EXPECT_EQ(reread.GetRegister(4), 0x11);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST_F(ConfigFiles, SaveAsReplacesAReadOnlyTargetWithAWritableCopy) {
    const std::string source = Put("app.exe", RawImage());
    ::chmod(source.c_str(), 0444);
    const std::string target = Put("old.exe", {1, 2, 3});
    ::chmod(target.c_str(), 0444);
    const FileState sourceBefore = FileState::Of(source);
    ASSERT_TRUE(SaveConfigFile(Changed(), source, target, false).ok);
    struct stat status {};
    ::stat(target.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
    EXPECT_EQ(test::ReadFile(target)[100 + 0x14 + 4], 0x4F);
    EXPECT_TRUE(FileState::Of(source) == sourceBefore);
}

// A failed Save As leaves a file that already had the target's name alone,
// rather than deleting the copy that replaced it.
TEST_F(ConfigFiles, FailedSaveAsKeepsAnExistingTarget) {
    std::vector<uint8_t> twoBlocks = RawImage();
    const std::vector<uint8_t> block = test::BlockBytes(DefaultConfigBlock());
    std::copy(block.begin(), block.end(), twoBlocks.begin() + 300);
    const std::string source = Put("two.exe", twoBlocks);
    const std::string target = Put("precious.exe", RawImage());
    const FileState before = FileState::Of(target);
    const FileOutcome outcome = SaveConfigFile(Changed(), source, target, false);
    EXPECT_EQ(outcome.message, SaveMessage(target, kMessageMultipleBlocks));
    EXPECT_TRUE(FileState::Of(target) == before);

    const std::string nowhere = dir / "no-such-dir/copy.exe";
    EXPECT_EQ(SaveConfigFile(Changed(), Put("one.exe", RawImage()), nowhere, false).reason,
              "No such file or directory");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3)
        << "no temporary file left behind";
}

TEST_F(ConfigFiles, FailedLoadLeavesTheDocumentAlone) {
    ConfigDocument doc;
    doc.SetRegister(4, 0x4F);
    doc.lcdPowerOffTimeMs = 1234;
    EXPECT_FALSE(LoadConfigFile(doc, Put("none.exe", std::vector<uint8_t>(300, 1))).ok);
    EXPECT_EQ(doc.GetRegister(4), 0x4F);
    ASSERT_TRUE(LoadConfigFile(doc, Put("good.exe", RawImage())).ok);
    EXPECT_EQ(doc.GetRegister(4), DefaultConfigBlock().regs[4]);
    EXPECT_EQ(doc.lcdPowerOffTimeMs, 1234u) << "a load replaces the block only";
}

TEST_F(ConfigFiles, ConfigureSavesEveryFileAndSummarisesEach) {
    const std::string first = Put("first.exe", RawImage());
    const std::string missing = dir / "missing.s9";
    const std::string third = Put("third.prc", RawImage());
    std::vector<std::string> reported;
    const std::vector<std::string> files = {first, missing, third};
    const ConfigureResult result =
        ConfigureFiles(Changed(), files, false,
                       [&](const FileOutcome& outcome) { reported.push_back(outcome.message); });
    EXPECT_TRUE(result.configured);
    EXPECT_EQ(result.failures, 1u);
    EXPECT_EQ(result.summary, "Summary of configured files:\n\nOK\t" + first + "\nError\t" +
                                  missing + "\nOK\t" + third + "\n");
    EXPECT_EQ(reported,
              std::vector<std::string>{SaveMessage(missing, "No such file or directory")});
    EXPECT_EQ(test::ReadFile(third)[100 + 0x14 + 4], 0x4F);

    const ConfigureResult none = ConfigureFiles(Changed(), {}, false, nullptr);
    EXPECT_FALSE(none.configured);
    EXPECT_EQ(none.summary, "ERROR: No files selected!");
}

TEST_F(ConfigFiles, ConfigurePreservesEveryFilesAddressAndNeverCutsTheSummary) {
    std::vector<std::string> files;
    ConfigBlock own = DefaultConfigBlock();
    own.physMemAddr = 0x00A00000;
    for (int i = 0; i < 60; ++i) {
        files.push_back(Put(std::string(80, 'n') + std::to_string(i) + ".exe",
                            test::ImageWith(200, 10, test::BlockBytes(own))));
    }
    const ConfigureResult result = ConfigureFiles(Changed(), files, true, nullptr);
    EXPECT_GT(result.summary.size(), 4096u);
    EXPECT_NE(result.summary.find("OK\t" + files.back() + "\n"), std::string::npos);
    ConfigDocument doc;
    ASSERT_TRUE(LoadConfigFile(doc, files[30]).ok);
    EXPECT_EQ(doc.block.physMemAddr, 0x00A00000u);
    EXPECT_EQ(doc.GetRegister(4), 0x4F);
}

} // namespace
} // namespace zlc

#include "hal/BoardSelect.h"
#include "hal/ChipWindow.h"
#include "hal/Hal.h"
#include "hal/LinuxBoard.h"
#include "hal/sim/SimulatedBoard.h"
#include "model/ConfigBlock.h"
#include "support/Environment.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zlc::test {
namespace {

namespace fs = std::filesystem;

// A directory of ordinary files standing in for /dev.
class Board : public ::testing::Test {
  protected:
    // A device file of `size` bytes with the revision code at `base` + 1FFE0h.
    std::string MakeDevice(const std::string& name, uintmax_t size, uintmax_t base,
                           uint8_t revision = 0x24) {
        const std::string path = dir / name;
        WriteFile(path, "");
        fs::resize_file(path, size);
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(static_cast<std::streamoff>(base + hal::kRegisterOffset));
        file.put(static_cast<char>(revision));
        return path;
    }

    TempDir dir;
    ScopedVariable board{hal::kBoardVariable}, boardIndex{hal::kBoardIndexVariable};
    ScopedVariable tmpdir{"TMPDIR"}, runtimeDir{"XDG_RUNTIME_DIR"};
    HAL_STRUCT block = DefaultConfigBlock(); // display buffer at F00000h
};

TEST_F(Board, VariableChoosesTheBackend) {
    EXPECT_EQ(hal::ChooseBoard(nullptr).kind, hal::BoardChoice::Simulated);
    EXPECT_EQ(hal::ChooseBoard("device").kind, hal::BoardChoice::Device);
    EXPECT_EQ(hal::ChooseBoard("device").path, "/dev");
    EXPECT_EQ(hal::ChooseBoard("device:/srv/fake").path, "/srv/fake");
    EXPECT_EQ(hal::ChooseBoard("devices.board").kind, hal::BoardChoice::Simulated);
    EXPECT_EQ(hal::ChooseBoard("/tmp/x.board").path, "/tmp/x.board");

    EXPECT_EQ(hal::BoardIndexFromText(nullptr), 0);
    EXPECT_EQ(hal::BoardIndexFromText("12abc"), 12);
    EXPECT_EQ(hal::BoardIndexFromText("abc"), 0);
    EXPECT_EQ(hal::BoardIndexFromText(std::string(200, '9').c_str()), 0);
    EXPECT_EQ(hal::BoardIndexFromText("-3"), 0);
    // Only the first 79 characters count.
    EXPECT_EQ(hal::BoardIndexFromText((std::string(78, '0') + "12").c_str()), 1);
}

// The default board is the user's own: a name of its own per user, and a link
// or another user's file planted there is never used.
TEST_F(Board, DefaultBoardIsPerUserAndNeverALink) {
    const std::string uid = std::to_string(::getuid());
    tmpdir.Set(dir.path());
    EXPECT_EQ(hal::ChooseBoard("").path, dir / ("zlc62740-" + uid + ".board"));
    runtimeDir.Set("/run/user/1234");
    EXPECT_EQ(hal::ChooseBoard(nullptr).path, "/run/user/1234/zlc62740.board");
    EXPECT_TRUE(hal::ChooseBoard(nullptr).privateFile);
    EXPECT_FALSE(hal::ChooseBoard("/tmp/x.board").privateFile);

    runtimeDir.Set(dir.path());
    const std::string victim = dir / "victim";
    WriteFile(victim, "precious");
    fs::create_symlink(victim, dir / "zlc62740.board");
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND);
    EXPECT_EQ(ReadText(victim), "precious");
    fs::remove(dir / "zlc62740.board");
    EXPECT_EQ(halInitialize(&block), HAL_OK);
    EXPECT_EQ(fs::file_size(dir / "zlc62740.board"), sim::kBoardFileSize);
}

TEST_F(Board, MemoryDeviceIsMappedAtThePhysicalAddress) {
    const std::string mem = MakeDevice("mem", 0xF00000 + 0x400000, 0xF00000);
    {
        hal::MapResult mapped = hal::MapLinuxBoard(dir.path(), 0xF00000, 0);
        ASSERT_EQ(mapped.code, HAL_OK);
        EXPECT_EQ(mapped.window->ReadRegister(REG_REVISION_CODE), 0x24);
        mapped.window->WriteRegister(REG_MODE_REGISTER_0, 0xA1);
        mapped.window->Memory()[5] = 0x77;
    }
    const std::vector<uint8_t> bytes = ReadFile(mem);
    EXPECT_EQ(bytes.at(0xF00000 + 0x1FFE1), 0xA1);
    EXPECT_EQ(bytes.at(0xF00005), 0x77);

    // An address off a page boundary maps just as well.
    MakeDevice("mem", 0x1400000, 0xF00100);
    hal::MapResult unaligned = hal::MapLinuxBoard(dir.path(), 0xF00100, 0);
    ASSERT_EQ(unaligned.code, HAL_OK);
    EXPECT_EQ(unaligned.window->ReadRegister(REG_REVISION_CODE), 0x24);
}

TEST_F(Board, DeviceIsFoundByAddressOrBoardNumberAndChecked) {
    board.Set("device:" + (dir / "none"));
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND);
    // A stand-in too short for the window would fault on access.
    MakeDevice("mem", 0xF00000 + 0x20000, 0xF00000);
    board.Set("device:" + dir.path());
    EXPECT_EQ(halInitialize(&block), HAL_IOCTL_ERROR);
    // A chip of another revision is not this one.
    for (const uint8_t revision : {0x24, 0x27, 0x28, 0x20}) {
        MakeDevice("mem", 0x1400000, 0xF00000, revision);
        EXPECT_EQ(halInitialize(&block),
                  revision >= 0x24 && revision < 0x28 ? HAL_OK : HAL_DEVICE_NOT_FOUND)
            << int{revision};
    }
    // With no physical address, board N is DIR/uioN.
    const std::string uio = MakeDevice("uio3", hal::kChipWindowSize, 0);
    block.physMemAddr = 0;
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND); // uio0 is not there
    boardIndex.Set("3");
    EXPECT_EQ(halInitialize(&block), HAL_OK);
    EXPECT_EQ(halProgramRegisters(), HAL_OK);
    EXPECT_EQ(ReadFile(uio).at(hal::kRegisterOffset + REG_HORZ_PANEL_SIZE), 0x27);
}

TEST_F(Board, BoardFileIsCreatedOnceAndOtherFilesAreLeftAlone) {
    const std::string path = dir / "sim.board";
    board.Set(path);
    ASSERT_EQ(halInitialize(&block), HAL_OK);
    ASSERT_EQ(halProgramRegisters(), HAL_OK);
    EXPECT_EQ(fs::file_size(path), sim::kBoardFileSize);
    EXPECT_EQ(ReadFile(path).at(sim::kRegisterOffset + REG_REVISION_CODE), 0x24);
    EXPECT_EQ(ReadFile(path).at(sim::kRegisterOffset + REG_HORZ_PANEL_SIZE), 0x27);
    // A second run finds the board as the first one left it.
    halWriteRegister(0x1A, 0x5A);
    ASSERT_EQ(halInitialize(&block), HAL_OK);
    EXPECT_EQ(halReadRegister(0x1A), 0x5A);

    const std::string other = dir / "notes.txt";
    WriteFile(other, "not a board");
    board.Set(other);
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND);
    EXPECT_EQ(ReadText(other), "not a board");
}

} // namespace
} // namespace zlc::test

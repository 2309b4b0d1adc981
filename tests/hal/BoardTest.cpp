#include "hal/BoardSelect.h"
#include "hal/ChipWindow.h"
#include "hal/Hal.h"
#include "hal/LinuxBoard.h"
#include "hal/sim/SimulatedBoard.h"
#include "model/ConfigBlock.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace zlc::test {
namespace {

namespace fs = std::filesystem;

// A directory of ordinary files standing in for /dev, and the environment
// variables a test sets, put back afterwards.
class Board : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zlc-board-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        Save(hal::kBoardVariable);
        Save(hal::kBoardIndexVariable);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
        fs::remove_all(dir);
    }
    void Save(const char* name) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

    // A device file of `size` bytes with the revision code at `base` + 1FFE0h.
    fs::path MakeDevice(const std::string& name, uintmax_t size, uintmax_t base,
                        uint8_t revision = 0x24) {
        const fs::path path = dir / name;
        { std::ofstream(path, std::ios::binary); }
        fs::resize_file(path, size);
        std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(static_cast<std::streamoff>(base + hal::kRegisterOffset));
        file.put(static_cast<char>(revision));
        return path;
    }
    uint8_t ByteAt(const fs::path& path, uintmax_t offset) {
        std::ifstream file(path, std::ios::binary);
        file.seekg(static_cast<std::streamoff>(offset));
        return static_cast<uint8_t>(file.get());
    }

    fs::path dir;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    HAL_STRUCT block = DefaultConfigBlock(); // display buffer at F00000h
};

TEST_F(Board, VariableChoosesTheBackend) {
    unsetenv("TMPDIR");
    EXPECT_EQ(hal::ChooseBoard(nullptr).kind, hal::BoardChoice::Simulated);
    EXPECT_EQ(hal::ChooseBoard("").path, "/tmp/zlc62740.board");
    EXPECT_EQ(hal::ChooseBoard("device").kind, hal::BoardChoice::Device);
    EXPECT_EQ(hal::ChooseBoard("device").path, "/dev");
    EXPECT_EQ(hal::ChooseBoard("device:/srv/fake").path, "/srv/fake");
    EXPECT_EQ(hal::ChooseBoard("devices.board").kind, hal::BoardChoice::Simulated);
    EXPECT_EQ(hal::ChooseBoard("/tmp/x.board").path, "/tmp/x.board");

    EXPECT_EQ(hal::BoardIndexFromText(nullptr), 0);
    EXPECT_EQ(hal::BoardIndexFromText("12abc"), 12);
    EXPECT_EQ(hal::BoardIndexFromText("abc"), 0);
    EXPECT_EQ(hal::BoardIndexFromText(std::string(200, '9').c_str()), 0);
}

TEST_F(Board, MemoryDeviceIsMappedAtThePhysicalAddress) {
    const fs::path mem = MakeDevice("mem", 0xF00000 + 0x400000, 0xF00000);
    {
        hal::MapResult mapped = hal::MapLinuxBoard(dir.string(), 0xF00000, 0);
        ASSERT_EQ(mapped.code, HAL_OK);
        EXPECT_EQ(mapped.window->ReadRegister(REG_REVISION_CODE), 0x24);
        mapped.window->WriteRegister(REG_MODE_REGISTER_0, 0xA1);
        mapped.window->Memory()[5] = 0x77;
    }
    EXPECT_EQ(ByteAt(mem, 0xF00000 + 0x1FFE1), 0xA1);
    EXPECT_EQ(ByteAt(mem, 0xF00005), 0x77);

    // An address off a page boundary maps just as well.
    MakeDevice("mem", 0x1400000, 0xF00100);
    hal::MapResult unaligned = hal::MapLinuxBoard(dir.string(), 0xF00100, 0);
    ASSERT_EQ(unaligned.code, HAL_OK);
    EXPECT_EQ(unaligned.window->ReadRegister(REG_REVISION_CODE), 0x24);
}

TEST_F(Board, RevisionCodeMustNameTheChip) {
    setenv(hal::kBoardVariable, ("device:" + dir.string()).c_str(), 1);
    for (const uint8_t revision : {0x24, 0x25, 0x26, 0x27, 0x28, 0x20}) {
        MakeDevice("mem", 0x1400000, 0xF00000, revision);
        EXPECT_EQ(halInitialize(&block),
                  revision >= 0x24 && revision < 0x28 ? HAL_OK : HAL_DEVICE_NOT_FOUND)
            << int{revision};
    }
}

TEST_F(Board, BoardNumberChoosesTheUioDevice) {
    MakeDevice("uio3", hal::kChipWindowSize, 0);
    setenv(hal::kBoardVariable, ("device:" + dir.string()).c_str(), 1);
    block.physMemAddr = 0;
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND); // uio0 is not there
    setenv(hal::kBoardIndexVariable, "3", 1);
    EXPECT_EQ(halInitialize(&block), HAL_OK);
    EXPECT_EQ(halProgramRegisters(), HAL_OK);
    EXPECT_EQ(ByteAt(dir / "uio3", hal::kRegisterOffset + REG_HORZ_PANEL_SIZE), 0x27);
}

TEST_F(Board, DeviceThatCannotBeOpenedOrMappedIsReported) {
    setenv(hal::kBoardVariable, ("device:" + (dir / "none").string()).c_str(), 1);
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND);
    // A stand-in too short for the window would fault on access.
    MakeDevice("mem", 0xF00000 + 0x20000, 0xF00000);
    setenv(hal::kBoardVariable, ("device:" + dir.string()).c_str(), 1);
    EXPECT_EQ(halInitialize(&block), HAL_IOCTL_ERROR);
    fs::create_directories(dir / "mem2");
    EXPECT_EQ(hal::MapLinuxBoard((dir / "mem2").string(), 0, 0).code, HAL_DRIVER_NOT_FOUND);
}

TEST_F(Board, BoardFileIsCreatedOnceAndOtherFilesAreLeftAlone) {
    const fs::path path = dir / "sim.board";
    setenv(hal::kBoardVariable, path.c_str(), 1);
    ASSERT_EQ(halInitialize(&block), HAL_OK);
    ASSERT_EQ(halProgramRegisters(), HAL_OK);
    EXPECT_EQ(fs::file_size(path), sim::kBoardFileSize);
    EXPECT_EQ(ByteAt(path, sim::kRegisterOffset + REG_REVISION_CODE), 0x24);
    EXPECT_EQ(ByteAt(path, sim::kRegisterOffset + REG_HORZ_PANEL_SIZE), 0x27);
    // A second run finds the board as the first one left it.
    halWriteRegister(0x1A, 0x5A);
    ASSERT_EQ(halInitialize(&block), HAL_OK);
    EXPECT_EQ(halReadRegister(0x1A), 0x5A);

    const fs::path other = dir / "notes.txt";
    std::ofstream(other) << "not a board";
    setenv(hal::kBoardVariable, other.c_str(), 1);
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND);
    EXPECT_EQ(fs::file_size(other), 11u);
    setenv(hal::kBoardVariable, dir.c_str(), 1);
    EXPECT_EQ(halInitialize(&block), HAL_DRIVER_NOT_FOUND);

    // A file of the right size without the board header is not a board.
    { std::ofstream(dir / "blank", std::ios::binary); }
    fs::resize_file(dir / "blank", sim::kBoardFileSize);
    std::string message;
    EXPECT_EQ(sim::OpenBoardFile((dir / "blank").string(), message), nullptr);
    EXPECT_NE(message.find("not a simulated board file"), std::string::npos);
}

} // namespace
} // namespace zlc::test

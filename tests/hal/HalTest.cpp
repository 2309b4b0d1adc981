#include "HalFixture.h"

#include <algorithm>
#include <cstring>

namespace zlc::test {
namespace {

TEST_F(HalTest, ProgramsEveryWritableRegisterFromTheBlock) {
    for (int i = 1; i < 32; ++i) {
        block.regs[i] = static_cast<uint8_t>(0x40 + i);
    }
    block.regs[REG_MODE_REGISTER_1] = 0xE0; // keep a depth the memory clear can use
    board[sim::kRegisterOffset + 0x14] = 0x99;
    board[sim::kRegisterOffset + 0x1A] = 0x98;
    board[sim::kRegisterOffset + 0x1E] = 0x97;
    board[sim::kRegisterOffset + 0x1F] = 0x96;
    Program();

    EXPECT_EQ(Reg(REG_REVISION_CODE), 0x24);
    EXPECT_EQ(Reg(0x14), 0x99);
    EXPECT_EQ(Reg(0x1A), 0x98);
    EXPECT_EQ(Reg(0x1E), 0x97);
    EXPECT_EQ(Reg(0x1F), 0x96);
    for (int i : {0x01, 0x03, 0x08, 0x0C, 0x11, 0x13, 0x19, 0x1B, 0x1D}) {
        EXPECT_EQ(Reg(i), 0x40 + i) << "REG[" << i << "]";
    }
}

TEST_F(HalTest, ClearsTheDisplayedBytesOnly) {
    Program(); // 320 x 240 at 8 bpp: 76800 bytes
    EXPECT_TRUE(
        std::all_of(memory.begin(), memory.begin() + 76800, [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(
        std::all_of(memory.begin() + 76800, memory.end(), [](uint8_t b) { return b == 0xEE; }));
}

TEST_F(HalTest, ClearingAPanelLargerThanMemoryStopsAtItsEnd) {
    SetPanel(640, 480); // 307200 bytes at 8 bpp
    Program();
    EXPECT_TRUE(std::all_of(memory.begin(), memory.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(Reg(REG_HORZ_PANEL_SIZE), 79);
}

TEST_F(HalTest, RevisionCodeIdentifiesTheChipAndIgnoresWrites) {
    EXPECT_EQ(Initialize(), HAL_OK);
    halWriteRegister(REG_REVISION_CODE, 0x55);
    EXPECT_EQ(halReadRegister(REG_REVISION_CODE), 0x24);
    // Registers outside the 32 are neither read nor written.
    halWriteRegister(32, 0x55);
    halWriteRegister(-1, 0x55);
    EXPECT_EQ(halReadRegister(32), 0);
}

TEST_F(HalTest, CallsBeforeInitialisationAreRefused) {
    halInitializeWithWindow(&block, nullptr);
    EXPECT_EQ(halProgramRegisters(), HAL_FAILED);
    EXPECT_EQ(halSetPortrait(), HAL_FAILED);
    EXPECT_EQ(halTuneFrameRate(), HAL_FAILED);
    EXPECT_EQ(halSetVirtualWidth(640, nullptr), HAL_INVALID_PARAMETER);
    halDrawRect(0, 0, 100, 100, 1, true); // nothing to draw into, and no crash
}

TEST_F(HalTest, VersionFollowsTheMarkerText) {
    const char* version = nullptr;
    const char* sub = nullptr;
    const char* status = nullptr;
    halGetVersion(&version, &sub, &status);
    EXPECT_STREQ(version, "1.05");
    EXPECT_STREQ(sub, "");
    EXPECT_STREQ(status, "");
    EXPECT_EQ(std::strncmp(version - 19, " 62740 HAL Version ", 19), 0);
}

TEST_F(HalTest, LookUpTablePortsStepThroughRedGreenBlue) {
    ASSERT_EQ(Initialize(), HAL_OK);
    halWriteRegister(REG_LUT_ADDR, 254);
    for (uint8_t value : {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70}) {
        halWriteRegister(REG_LUT_DATA, value);
    }
    EXPECT_EQ(Lut(254)[0], 0x10);
    EXPECT_EQ(Lut(255)[2], 0x60);
    EXPECT_EQ(Lut(0)[0], 0x70); // the address wraps after the last entry
    halWriteRegister(REG_LUT_ADDR, 255);
    EXPECT_EQ(halReadRegister(REG_LUT_DATA), 0x40);
    EXPECT_EQ(halReadRegister(REG_LUT_DATA), 0x50);
    EXPECT_EQ(halReadRegister(REG_LUT_DATA), 0x60);
    EXPECT_EQ(halReadRegister(REG_LUT_ADDR), 0);
}

TEST_F(HalTest, ProgrammingLoadsTheTableOfDepthAndPanelKind) {
    Program();                    // colour, 8 bpp
    EXPECT_EQ(LutPortIndex(), 0); // 256 entries, wrapped round
    const uint8_t entry8[] = {0x50, 0x50, 0x50};
    EXPECT_EQ(std::memcmp(Lut(8), entry8, 3), 0);
    const uint8_t entry6x3[] = {0x00, 0xF0, 0xC0}; // row 6: (0, F0, F0 - v), v = 30h
    EXPECT_EQ(std::memcmp(Lut(6 * 16 + 3), entry6x3, 3), 0);
    const uint8_t entry10x15[] = {0x00, 0x00, 0xF0}; // row 10: (F0 - v, 0, F0), v = F0h
    EXPECT_EQ(std::memcmp(Lut(10 * 16 + 15), entry10x15, 3), 0);

    block.regs[REG_MODE_REGISTER_0] &= static_cast<uint8_t>(~0x20); // monochrome
    Program();
    EXPECT_EQ(LutPortIndex(), 16); // sixteen greys only
    const uint8_t grey15[] = {0xF0, 0xF0, 0xF0};
    EXPECT_EQ(std::memcmp(Lut(15), grey15, 3), 0);
}

TEST_F(HalTest, SixteenColourTableHasDarkThenBrightColours) {
    int entries = 0;
    const uint8_t* table = halGetLut(4, true, &entries);
    ASSERT_EQ(entries, 16);
    const uint8_t dark5[] = {0xA0, 0x00, 0xA0}; // bit 2 red, bit 0 blue
    const uint8_t bright3[] = {0x00, 0xF0, 0xF0};
    EXPECT_EQ(std::memcmp(table + 5 * 3, dark5, 3), 0);
    EXPECT_EQ(std::memcmp(table + 11 * 3, bright3, 3), 0);
    EXPECT_EQ(std::memcmp(table + 8 * 3, "\0\0\0", 3), 0);
    EXPECT_EQ(halGetLut(3, true, &entries), nullptr);
}

} // namespace
} // namespace zlc::test

#include "model/ConfigBlock.h"

#include "base/ByteOrder.h"

#include <cstring>

namespace zlc {

namespace {

constexpr uint8_t kDefaultRegisters[kRegisterCount] = {
    0x24, 0xA1, 0xE0, 0x07, 0x27, 0xEF, 0x00, 0x05, // REG[00h]..REG[07h]
    0x0C, 0x04, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, // REG[08h]..REG[0Fh]
    0x00, 0x00, 0xFF, 0x03, 0x00, 0x00, 0x00, 0x00, // REG[10h]..REG[17h]
    0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // REG[18h]..REG[1Fh]
};

} // namespace

ConfigBlock DefaultConfigBlock() {
    ConfigBlock block{};
    std::memcpy(block.idString, kConfigBlockId, kConfigBlockIdLength);
    block.endianDetect = kEndianNative;
    block.structSize = kConfigBlockSize;
    std::memcpy(block.regs, kDefaultRegisters, sizeof kDefaultRegisters);
    block.clkiKHz = 6000;
    block.physMemAddr = 0x00F00000;
    block.physRegAddr = 0x00000046;
    block.frameRate = 0;
    return block;
}

void SwapConfigBlock(ConfigBlock& block) {
    block.endianDetect = Swap16(block.endianDetect);
    block.structSize = Swap16(block.structSize);
    block.clkiKHz = Swap32(block.clkiKHz);
    block.physMemAddr = Swap32(block.physMemAddr);
    block.physRegAddr = Swap32(block.physRegAddr);
    block.frameRate = Swap16(block.frameRate);
}

ConfigBlock ConfigBlockFromBytes(const uint8_t* bytes) {
    ConfigBlock block;
    std::memcpy(&block, bytes, kConfigBlockSize);
    return block;
}

void ConfigBlockToBytes(const ConfigBlock& block, uint8_t* bytes) {
    std::memcpy(bytes, &block, kConfigBlockSize);
}

} // namespace zlc

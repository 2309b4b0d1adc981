#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace zlc {

// The 68-byte configuration record that every program for the board carries and
// the HAL programs the chip from. Multi-byte fields are in the byte order of the
// target processor; endianDetect tells which one.
struct __attribute__((packed)) ConfigBlock {
    char idString[16];
    uint16_t endianDetect;
    uint16_t structSize;
    uint8_t regs[32];
    uint32_t clkiKHz;
    uint32_t physMemAddr;
    uint32_t physRegAddr;
    uint16_t frameRate;
    uint8_t padding[2];
};

inline constexpr size_t kConfigBlockSize = 68;
inline constexpr size_t kRegisterCount = 32;

// The identifier and its terminating NUL: the 13 bytes a block search compares.
inline constexpr char kConfigBlockId[] = "6274 HAL EXE";
inline constexpr size_t kConfigBlockIdLength = sizeof(kConfigBlockId);

// endianDetect as read little-endian: the block's own order, or byte-reversed.
inline constexpr uint16_t kEndianNative = 0x1234;
inline constexpr uint16_t kEndianSwapped = 0x3412;

// The register block lies this far above the display buffer.
inline constexpr uint32_t kRegisterOffsetFromMemory = 0x1FFE0;

static_assert(sizeof(ConfigBlock) == kConfigBlockSize);
static_assert(offsetof(ConfigBlock, idString) == 0x00);
static_assert(offsetof(ConfigBlock, endianDetect) == 0x10);
static_assert(offsetof(ConfigBlock, structSize) == 0x12);
static_assert(offsetof(ConfigBlock, regs) == 0x14);
static_assert(offsetof(ConfigBlock, clkiKHz) == 0x34);
static_assert(offsetof(ConfigBlock, physMemAddr) == 0x38);
static_assert(offsetof(ConfigBlock, physRegAddr) == 0x3C);
static_assert(offsetof(ConfigBlock, frameRate) == 0x40);
static_assert(offsetof(ConfigBlock, padding) == 0x42);
static_assert(kConfigBlockIdLength == 13);
// Blocks are copied to and from file images byte for byte; a field then reads
// its value directly only on a little-endian host.
static_assert(std::endian::native == std::endian::little,
              "the block layout assumes a little-endian host");

// The block a program carries until it is configured, byte for byte.
ConfigBlock DefaultConfigBlock();

// Converts a block between the two byte orders in place. physRegAddr is swapped
// together with the other multi-byte fields: left as stored, a big-endian target
// would read a byte-reversed register address.
void SwapConfigBlock(ConfigBlock& block);

ConfigBlock ConfigBlockFromBytes(const uint8_t* bytes);
void ConfigBlockToBytes(const ConfigBlock& block, uint8_t* bytes);

} // namespace zlc

#pragma once

// A ZLC62740 board held in a file. The file mirrors the chip's window: display
// memory at offset 0 and the 32 registers at 1FFE0h, so that a look at the file
// is a look at the chip. The look-up table, which the chip keeps out of the
// address space, and the port state live in the unused range in between.
// The file is mapped shared, so another process can look at the board while a
// program drives it.

#include "hal/ChipWindow.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zlc::sim {

inline constexpr size_t kBoardFileSize = hal::kChipWindowSize;
inline constexpr size_t kMemorySize = HAL_MEMORY_SIZE;
inline constexpr size_t kHeaderOffset = 0x1F000;
inline constexpr size_t kLutIndexOffset = kHeaderOffset + 0x14;
inline constexpr size_t kLutComponentOffset = kHeaderOffset + 0x15;
inline constexpr size_t kLutOffset = 0x1F100;
inline constexpr size_t kLutEntries = 256;
inline constexpr size_t kRegisterOffset = hal::kRegisterOffset;
inline constexpr uint32_t kBoardVersion = 1;
// The header begins with this text and its NUL, then the version (u32 LE).
inline constexpr char kBoardMagic[] = "ZLC62740 BOARD";
// What REG[00h] reads: product code 001001b, revision 0.
inline constexpr uint8_t kRevisionCode = 0x24;

// A freshly powered board: memory, registers and table cleared, header set.
void FormatBoardImage(std::span<uint8_t> image);

// Whether `image` is a board of this layout; otherwise `message` says why.
bool IsBoardImage(std::span<const uint8_t> image, std::string& message);

// The chip of a board image, with the registers' side effects: REG[00h]
// reads the revision code whatever is written, and the look-up table is
// loaded through its address port (REG[15h]) and data port (REG[17h]), which
// steps through red, green and blue and then on to the next entry.
class SimulatedBoard : public hal::ChipWindow {
  public:
    explicit SimulatedBoard(std::span<uint8_t> image) : image_(image) {}

    uint8_t* Memory() override { return image_.data(); }
    uint8_t ReadRegister(unsigned index) override;
    void WriteRegister(unsigned index, uint8_t value) override;

  private:
    void StepLutPort();

    std::span<uint8_t> image_;
};

// Maps a board file, creating it or formatting it when it is missing or empty.
// A file of another kind is not touched: nullptr, with `message`. With
// `ownFileOnly` a link at the name, or a file of another user, is refused.
std::unique_ptr<hal::ChipWindow> OpenBoardFile(const std::string& path, std::string& message,
                                               bool ownFileOnly = false);

} // namespace zlc::sim

#pragma once

#include "model/ConfigBlock.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zlc {

enum BlockResult : int {
    BLOCK_ERROR = -1,
    BLOCK_ABSENT = 0,
    BLOCK_FOUND = 1,
};

inline constexpr const char* kMessageNoConfigData =
    "The file does not contain any configuration data.";
inline constexpr const char* kMessageWrongSize =
    "The configuration data structure size is incorrect.";
inline constexpr const char* kMessageMultipleBlocks =
    "The file contains multiple configuration data structures.";

// Searches the whole image for the one configuration block. On BLOCK_FOUND the
// block (as stored) and its offset are handed back when asked for; otherwise
// `message` says why. Every position whose 68 bytes lie inside the image is
// examined, including the very last one.
BlockResult LocateConfigBlock(std::span<const uint8_t> image, ConfigBlock* block, size_t* offset,
                              std::string& message);

// LocateConfigBlock over an image seen a piece at a time, for files too large
// to hold: the answers and messages are those of one search over the whole.
class BlockScanner {
  public:
    // Examines the block starts from `firstStart` to `lastStart` (offsets in
    // the image) of a piece that begins at image offset `pieceOffset` and holds
    // the 68 bytes after each of them. Pieces come in image order. False once
    // the answer cannot change any more.
    bool Examine(std::span<const uint8_t> piece, uint64_t pieceOffset, uint64_t firstStart,
                 uint64_t lastStart);
    BlockResult Answer(ConfigBlock* block, uint64_t* offset, std::string& message) const;

  private:
    BlockResult result_ = BLOCK_ABSENT;
    const char* message_ = kMessageNoConfigData;
    bool found_ = false;
    uint64_t foundAt_ = 0;
    ConfigBlock block_{};
};

// Overwrites the block found by LocateConfigBlock with `block`; writes nothing
// unless exactly one valid block was found.
BlockResult ReplaceConfigBlock(const ConfigBlock& block, std::span<uint8_t> image,
                               std::string& message);

// The first position at or after `from`, and not after `lastStart`, whose
// bytes may begin the identifier; SIZE_MAX when there is none. Candidates are
// not verified: the caller compares the whole identifier.
size_t FindIdentifierCandidate(std::span<const uint8_t> image, size_t from, size_t lastStart);

} // namespace zlc

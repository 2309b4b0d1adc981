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

// Overwrites the block found by LocateConfigBlock with `block`; writes nothing
// unless exactly one valid block was found.
BlockResult ReplaceConfigBlock(const ConfigBlock& block, std::span<uint8_t> image,
                               std::string& message);

// The first position at or after `from`, and not after `lastStart`, whose
// bytes may begin the identifier; SIZE_MAX when there is none. Candidates are
// not verified: the caller compares the whole identifier.
size_t FindIdentifierCandidate(std::span<const uint8_t> image, size_t from, size_t lastStart);

} // namespace zlc

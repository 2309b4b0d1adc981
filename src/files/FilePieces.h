#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

// Reading a configurable file a piece at a time, so that a file of any size
// costs a bounded amount of memory, and the holes of a sparse file cost
// nothing at all.
namespace zlc {

// Small enough to stay in the processor's cache between the read and the
// search, large enough that the system calls do not count.
inline constexpr size_t kFilePieceSize = 256u << 10;

// Hands each range of [begin, end) that holds data to `use`, in order, as
// [from, to). A file system that cannot tell holes reports the whole range.
// Stops early when `use` answers false; false with `error` set when the file
// cannot be read.
bool ForEachDataRange(const platform::File& file, uint64_t begin, uint64_t end,
                      const std::function<bool(uint64_t from, uint64_t to)>& use, int& error);

// Reads [begin, end) in pieces of at most `pieceSize` bytes and hands each to
// `use` with its offset. Stops early when `use` answers false.
bool ForEachPiece(const platform::File& file, uint64_t begin, uint64_t end, size_t pieceSize,
                  const std::function<bool(std::span<const uint8_t> piece, uint64_t offset)>& use,
                  int& error);

} // namespace zlc

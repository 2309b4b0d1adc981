#pragma once

#include "files/BlockSearch.h"
#include "files/FileLayout.h"
#include "files/ImagePatch.h"
#include "platform/FileSystem.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zlc {

// A re-encoded container may grow by this much when saved, and no more.
inline constexpr size_t kGrowthReserve = 65536;

inline constexpr const char* kMessageGrowthReserveExceeded =
    "The rewritten file would be more than 65536 bytes longer than the original.";

// Turns the block found in a file, as stored there, into the block that is
// written back in its place.
using BlockForFile = std::function<ConfigBlock(const ConfigBlock& fileBlock)>;

// One container kind: how to find the block in an image of that kind and how
// to write a block back. A handler answers BLOCK_ABSENT for an image that is
// not of its kind, so the next handler gets its turn.
struct ContainerHandler {
    const char* name;
    BlockResult (*ReadBlock)(std::span<const uint8_t> image, ConfigBlock* block,
                             std::string& message);
    // ReadBlock's answer for a file of `size` bytes, read a piece at a time
    // so that no file is ever held whole; a failed read is BLOCK_ERROR with
    // the system's text. `layout` (optional) receives where the block lies,
    // for a save of the same file; a handler that has nothing to note leaves
    // it alone.
    BlockResult (*ReadFile)(const platform::File& file, uint64_t size, ConfigBlock* block,
                            std::string& message, FileLayout* layout);
    // Reads the image as ReadBlock does, with the same answers, and on
    // BLOCK_FOUND works out how makeBlock(the found block) is written into it:
    // `patch` says which bytes change and the new length, which never exceeds
    // `capacity`. The image itself is only read. Reading and writing in one
    // step lets a save decode a large container once.
    BlockResult (*WriteBlock)(const BlockForFile& makeBlock, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message);
};

// The handlers in the order in which they are asked: raw image, PRC, S-record.
std::span<const ContainerHandler> ContainerHandlers();

// The raw image handler: the block lies in the image as plain bytes.
BlockResult RawReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message);
BlockResult RawReadFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                        std::string& message, FileLayout* layout = nullptr);
// LocateConfigBlock over a whole file, read a piece at a time. The holes of a
// sparse file are skipped: a block never begins with a zero byte.
BlockResult LocateConfigBlockInFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                                    uint64_t* offset, std::string& message, size_t pieceSize);
// The patch of a raw image of `size` bytes whose block at `offset` becomes
// `newBlock`: only the block's own bytes change, so a save of a large image
// writes 68 bytes and not the image.
void RawBlockPatch(const ConfigBlock& newBlock, uint64_t offset, uint64_t size, ImagePatch& patch);
BlockResult RawWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image,
                          size_t capacity, ImagePatch& patch, std::string& message);
BlockResult RawWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image, size_t capacity,
                          ImagePatch& patch, std::string& message);

} // namespace zlc

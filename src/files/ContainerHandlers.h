#pragma once

#include "files/BlockSearch.h"

#include <span>
#include <string>
#include <vector>

namespace zlc {

// One container kind: how to find the block in an image of that kind and how
// to write a block back. A handler answers BLOCK_ABSENT for an image that is
// not of its kind, so the next handler gets its turn.
struct ContainerHandler {
    const char* name;
    BlockResult (*ReadBlock)(std::span<const uint8_t> image, ConfigBlock* block,
                             std::string& message);
    // Writes `block` into `image`, which may be re-encoded and change length
    // (image.size() is the length in and out) but never beyond `capacity`
    // bytes. Nothing is changed unless the result is BLOCK_FOUND.
    BlockResult (*WriteBlock)(const ConfigBlock& block, std::vector<uint8_t>& image,
                              size_t capacity, std::string& message);
};

// The handlers in the order in which they are asked: raw image, PRC, S-record.
std::span<const ContainerHandler> ContainerHandlers();

// The raw image handler: the block lies in the image as plain bytes.
BlockResult RawReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message);
BlockResult RawWriteBlock(const ConfigBlock& block, std::vector<uint8_t>& image, size_t capacity,
                          std::string& message);

} // namespace zlc

#include "files/ContainerHandlers.h"

namespace zlc {

BlockResult RawReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message) {
    return LocateConfigBlock(image, block, nullptr, message);
}

// Only the block's own bytes change, so a save of a large image writes 68
// bytes and not the image.
BlockResult RawWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image, size_t,
                          ImagePatch& patch, std::string& message) {
    size_t offset = 0;
    ConfigBlock found{};
    const BlockResult result = LocateConfigBlock(image, &found, &offset, message);
    if (result != BLOCK_FOUND) {
        return result;
    }
    patch.offset = offset;
    patch.bytes.resize(kConfigBlockSize);
    ConfigBlockToBytes(makeBlock(found), patch.bytes.data());
    patch.length = image.size();
    return BLOCK_FOUND;
}

BlockResult RawWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image, size_t capacity,
                          ImagePatch& patch, std::string& message) {
    return RawWriteBlock([&block](const ConfigBlock&) { return block; }, image, capacity, patch,
                         message);
}

} // namespace zlc

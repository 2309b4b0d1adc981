#include "files/ContainerHandlers.h"

namespace zlc {

BlockResult RawReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message) {
    return LocateConfigBlock(image, block, nullptr, message);
}

// Only the block's own bytes change, so a save of a large image writes 68
// bytes and not the image.
BlockResult RawWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image, size_t,
                          ImagePatch& patch, std::string& message) {
    size_t offset = 0;
    const BlockResult result = LocateConfigBlock(image, nullptr, &offset, message);
    if (result != BLOCK_FOUND) {
        return result;
    }
    patch.offset = offset;
    patch.bytes.resize(kConfigBlockSize);
    ConfigBlockToBytes(block, patch.bytes.data());
    patch.length = image.size();
    return BLOCK_FOUND;
}

} // namespace zlc

#include "files/ContainerHandlers.h"

namespace zlc {

BlockResult RawReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message) {
    return LocateConfigBlock(image, block, nullptr, message);
}

BlockResult RawWriteBlock(const ConfigBlock& block, std::vector<uint8_t>& image, size_t,
                          std::string& message) {
    return ReplaceConfigBlock(block, image, message);
}

} // namespace zlc

#pragma once

#include "model/ConfigBlock.h"

#include <cstdint>
#include <vector>

namespace zlc::test {

// The bytes of a block as a target of either byte order would store it.
inline std::vector<uint8_t> BlockBytes(ConfigBlock block, bool bigEndian = false) {
    if (bigEndian) {
        SwapConfigBlock(block);
    }
    std::vector<uint8_t> bytes(kConfigBlockSize);
    ConfigBlockToBytes(block, bytes.data());
    return bytes;
}

// An image of `length` filler bytes with `bytes` copied in at `offset`.
inline std::vector<uint8_t> ImageWith(size_t length, size_t offset,
                                      const std::vector<uint8_t>& bytes, uint8_t filler = 0xA5) {
    std::vector<uint8_t> image(length, filler);
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return image;
}

} // namespace zlc::test

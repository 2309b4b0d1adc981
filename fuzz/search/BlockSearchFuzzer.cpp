// Feeds arbitrary images to the block search and the whole container chain,
// and checks the invariants that callers rely on.
#include "files/BlockSearch.h"
#include "files/DocumentImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace zlc;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> image(data, size);
    ConfigBlock block{};
    size_t offset = SIZE_MAX;
    std::string message;
    const BlockResult result = LocateConfigBlock(image, &block, &offset, message);
    if (result == BLOCK_FOUND) {
        if (offset > size - kConfigBlockSize || std::memcmp(&block, data + offset, 68) != 0) {
            std::abort();
        }
    } else if (message.empty()) {
        std::abort();
    }

    // Seen a piece at a time, as a large file is, the image gives the same
    // answer; the piece length comes from the first byte.
    if (size > kConfigBlockSize) {
        const uint64_t pieceStarts = 1 + data[0] % 97;
        BlockScanner scanner;
        const uint64_t startsEnd = size - kConfigBlockSize + 1;
        for (uint64_t start = 0; start < startsEnd; start += pieceStarts) {
            const uint64_t last = std::min(start + pieceStarts, startsEnd) - 1;
            scanner.Examine(image.subspan(start, last + kConfigBlockSize - start), start, start,
                            last);
        }
        uint64_t pieceOffset = 0;
        std::string pieceMessage;
        if (scanner.Answer(nullptr, &pieceOffset, pieceMessage) != result ||
            pieceMessage != message || (result == BLOCK_FOUND && pieceOffset != offset)) {
            std::abort();
        }
    }

    ConfigDocument doc;
    const ConfigBlock before = doc.block;
    const bool loaded = LoadFromImage(doc, image, message);
    if (!loaded && std::memcmp(&before, &doc.block, sizeof before) != 0) {
        std::abort(); // a failed load must leave the document alone
    }
    if (loaded && doc.block.endianDetect != kEndianNative) {
        std::abort();
    }

    std::vector<uint8_t> copy(data, data + size);
    const size_t capacity = size + 65536;
    const bool stored = StoreToImage(doc, copy, capacity, (size & 1) != 0, message);
    if (!stored && copy != std::vector<uint8_t>(data, data + size)) {
        std::abort(); // a failed store must leave the image alone
    }
    if (stored && copy.size() > capacity) {
        std::abort();
    }
    return 0;
}

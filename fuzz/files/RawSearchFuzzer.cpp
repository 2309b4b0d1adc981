#include "FuzzCommon.h"
#include "files/BlockSearch.h"

#include <cstring>

namespace {

// The plain search, one position after another, that the fast search must
// agree with.
zlc::BlockResult SlowSearch(std::span<const uint8_t> image, size_t& offset) {
    zlc::BlockResult result = zlc::BLOCK_ABSENT;
    bool found = false;
    if (image.size() < zlc::kConfigBlockSize) {
        return result;
    }
    for (size_t p = 0; p + zlc::kConfigBlockSize <= image.size(); ++p) {
        if (std::memcmp(image.data() + p, zlc::kConfigBlockId, zlc::kConfigBlockIdLength) != 0) {
            continue;
        }
        const uint16_t marker = static_cast<uint16_t>(image[p + 16] | (image[p + 17] << 8));
        uint16_t size = 0;
        if (marker == zlc::kEndianNative) {
            size = static_cast<uint16_t>(image[p + 18] | (image[p + 19] << 8));
        } else if (marker == zlc::kEndianSwapped) {
            size = static_cast<uint16_t>((image[p + 18] << 8) | image[p + 19]);
        } else {
            continue;
        }
        if (size == zlc::kConfigBlockSize) {
            if (found) {
                return zlc::BLOCK_ERROR;
            }
            found = true;
            offset = p;
            result = zlc::BLOCK_FOUND;
        } else if (!found) {
            result = zlc::BLOCK_ERROR;
        }
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> image(data, size);
    std::string message;
    size_t offset = SIZE_MAX;
    const zlc::BlockResult fast = zlc::LocateConfigBlock(image, nullptr, &offset, message);
    size_t slowOffset = SIZE_MAX;
    if (fast != SlowSearch(image, slowOffset) ||
        (fast == zlc::BLOCK_FOUND && offset != slowOffset)) {
        std::abort();
    }
    zlc::fuzz::ReadWriteReread(image, zlc::RawReadBlock, zlc::RawWriteBlock);
    // A file read a piece at a time, however small the pieces.
    zlc::ConfigBlock found{};
    zlc::ConfigBlock fromFile{};
    std::string fileMessage;
    const zlc::BlockResult again = zlc::LocateConfigBlock(image, &found, nullptr, message);
    zlc::fuzz::ExpectSameAnswer(again, message, found,
                                zlc::LocateConfigBlockInFile(zlc::fuzz::InMemoryFile(image), size,
                                                             &fromFile, nullptr, fileMessage,
                                                             zlc::fuzz::PieceSize(image)),
                                fileMessage, fromFile);
    return 0;
}

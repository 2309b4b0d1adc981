#include "files/ContainerHandlers.h"
#include "files/FilePieces.h"

#include <algorithm>
#include <vector>

namespace zlc {

namespace {

// Examines the block starts [begin, end) of the file, a piece at a time; each
// piece also holds the 68 bytes after its last start. False once the answer
// cannot change any more.
bool ScanStarts(const platform::File& file, uint64_t size, uint64_t begin, uint64_t end,
                size_t pieceSize, BlockScanner& scanner, std::vector<uint8_t>& piece, int& error,
                bool& failed) {
    for (uint64_t start = begin; start < end;) {
        const uint64_t lastStart = std::min<uint64_t>(start + pieceSize, end) - 1;
        const uint64_t pieceEnd = std::min<uint64_t>(lastStart + kConfigBlockSize, size);
        piece.resize(static_cast<size_t>(pieceEnd - start));
        if (!file.ReadAt(start, piece, error)) {
            failed = true;
            return false;
        }
        if (!scanner.Examine(piece, start, start, lastStart)) {
            return false;
        }
        start = lastStart + 1;
    }
    return true;
}

} // namespace

BlockResult RawReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message) {
    return LocateConfigBlock(image, block, nullptr, message);
}

BlockResult LocateConfigBlockInFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                                    uint64_t* offset, std::string& message, size_t pieceSize) {
    BlockScanner scanner;
    int error = 0;
    bool failed = false;
    if (size >= kConfigBlockSize) {
        // A block begins with its identifier, never with a zero byte, so only
        // starts inside ranges that hold data are examined; the bytes after a
        // start may lie in a hole and are read as zeros.
        std::vector<uint8_t> piece;
        const uint64_t startsEnd = size - kConfigBlockSize + 1;
        const bool read = ForEachDataRange(
            file, 0, startsEnd,
            [&](uint64_t from, uint64_t to) {
                return ScanStarts(file, size, from, to, pieceSize, scanner, piece, error, failed);
            },
            error);
        failed = failed || !read;
    }
    if (failed) {
        message = platform::SystemErrorText(error);
        return BLOCK_ERROR;
    }
    return scanner.Answer(block, offset, message);
}

BlockResult RawReadFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                        std::string& message, FileLayout* layout) {
    ConfigBlock found{};
    uint64_t offset = 0;
    const BlockResult result =
        LocateConfigBlockInFile(file, size, &found, &offset, message, kFilePieceSize);
    if (result != BLOCK_FOUND) {
        return result;
    }
    if (block != nullptr) {
        *block = found;
    }
    if (layout != nullptr) {
        layout->kind = FileLayout::Kind::Raw;
        layout->found = found;
        layout->blockOffset = offset;
    }
    return BLOCK_FOUND;
}

void RawBlockPatch(const ConfigBlock& newBlock, uint64_t offset, uint64_t size, ImagePatch& patch) {
    patch.offset = static_cast<size_t>(offset);
    patch.bytes.resize(kConfigBlockSize);
    ConfigBlockToBytes(newBlock, patch.bytes.data());
    patch.length = static_cast<size_t>(size);
}

BlockResult RawWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image, size_t,
                          ImagePatch& patch, std::string& message) {
    size_t offset = 0;
    ConfigBlock found{};
    const BlockResult result = LocateConfigBlock(image, &found, &offset, message);
    if (result != BLOCK_FOUND) {
        return result;
    }
    RawBlockPatch(makeBlock(found), offset, image.size(), patch);
    return BLOCK_FOUND;
}

BlockResult RawWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image, size_t capacity,
                          ImagePatch& patch, std::string& message) {
    return RawWriteBlock([&block](const ConfigBlock&) { return block; }, image, capacity, patch,
                         message);
}

} // namespace zlc

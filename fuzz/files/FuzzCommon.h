#pragma once

#include "files/ContainerHandlers.h"

#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace zlc::fuzz {

// Only the registers change, to values below 0x20: no identifier character
// is below 0x20, so the changed bytes cannot complete a second identifier
// with the bytes around the block. (Other fields can: a new frequency may
// spell the start of an identifier that the bytes after the block finish.)
inline ConfigBlock ChangedBlock(const ConfigBlock& found) {
    ConfigBlock block = found;
    for (size_t i = 0; i < kRegisterCount; ++i) {
        block.regs[i] = static_cast<uint8_t>((found.regs[i] + 1 + i) & 0x1F);
    }
    return block;
}

// Reads `input` with `read`; on a block, writes a changed one with `write`
// into a reserve of 65536 bytes and checks that the patched image reads back
// with exactly the new block and that the patch stays inside its bounds.
inline void ReadWriteReread(std::span<const uint8_t> input,
                            decltype(ContainerHandler::ReadBlock) read,
                            decltype(ContainerHandler::WriteBlock) write) {
    std::string message;
    ConfigBlock found{};
    if (read(input, &found, message) != BLOCK_FOUND) {
        return;
    }
    const ConfigBlock changed = ChangedBlock(found);
    ImagePatch patch;
    const size_t capacity = input.size() + kGrowthReserve;
    if (write([&changed](const ConfigBlock&) { return changed; }, input, capacity, patch,
              message) != BLOCK_FOUND) {
        return;
    }
    if (patch.length > capacity || patch.offset > patch.length ||
        patch.offset + patch.bytes.size() > patch.length) {
        std::abort();
    }
    std::vector<uint8_t> image(input.begin(), input.end());
    ApplyPatch(image, patch);
    ConfigBlock reread{};
    if (read(image, &reread, message) != BLOCK_FOUND ||
        std::memcmp(&reread, &changed, sizeof changed) != 0) {
        std::abort();
    }
}

// The input as a file held in memory, for the readers that take a file.
inline platform::File InMemoryFile(std::span<const uint8_t> input) {
    const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
        std::abort();
    }
    return platform::File::FromDescriptor(fd);
}

// A piece size taken from the input itself, so that the fuzzer moves the
// places where a file read cuts the text.
inline size_t PieceSize(std::span<const uint8_t> input) {
    return input.empty() ? 1 : 1 + input[input.size() / 2] % 97;
}

// A file read a piece at a time must answer as the read of the whole image.
inline void ExpectSameAnswer(BlockResult imageResult, const std::string& imageMessage,
                             const ConfigBlock& imageBlock, BlockResult fileResult,
                             const std::string& fileMessage, const ConfigBlock& fileBlock) {
    if (imageResult != fileResult || imageMessage != fileMessage ||
        (imageResult == BLOCK_FOUND &&
         std::memcmp(&imageBlock, &fileBlock, sizeof imageBlock) != 0)) {
        std::abort();
    }
}

} // namespace zlc::fuzz

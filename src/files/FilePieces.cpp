#include "files/FilePieces.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <vector>

namespace zlc {

bool ForEachDataRange(const platform::File& file, uint64_t begin, uint64_t end,
                      const std::function<bool(uint64_t from, uint64_t to)>& use, int& error) {
    const int fd = file.Descriptor();
    uint64_t position = begin;
    while (position < end) {
        off_t data = ::lseek(fd, static_cast<off_t>(position), SEEK_DATA);
        if (data < 0 && errno == ENXIO) {
            return true; // only a hole is left
        }
        if (data < 0 && errno != EINVAL && errno != EOPNOTSUPP) {
            error = errno;
            return false;
        }
        if (data < 0) {
            data = static_cast<off_t>(position); // no hole support: all is data
        }
        if (static_cast<uint64_t>(data) >= end) {
            return true;
        }
        const off_t hole = ::lseek(fd, data, SEEK_HOLE);
        const uint64_t stop = hole < 0 ? end : std::min<uint64_t>(end, static_cast<uint64_t>(hole));
        if (!use(static_cast<uint64_t>(data), stop)) {
            return true;
        }
        position = stop;
    }
    return true;
}

bool ForEachPiece(const platform::File& file, uint64_t begin, uint64_t end, size_t pieceSize,
                  const std::function<bool(std::span<const uint8_t> piece, uint64_t offset)>& use,
                  int& error) {
    std::vector<uint8_t> piece(static_cast<size_t>(std::min<uint64_t>(pieceSize, end - begin)));
    for (uint64_t offset = begin; offset < end;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(pieceSize, end - offset));
        if (!file.ReadAt(offset, {piece.data(), n}, error)) {
            return false;
        }
        if (!use({piece.data(), n}, offset)) {
            return true;
        }
        offset += n;
    }
    return true;
}

} // namespace zlc

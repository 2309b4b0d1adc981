#pragma once

#include "platform/FileSystem.h"
#include "support/TempDir.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zlc::test {

// Bytes written to a scratch file and opened for reading, for the readers
// that take a file a piece at a time.
class OnDisk {
  public:
    explicit OnDisk(const std::vector<uint8_t>& bytes) : size(bytes.size()) {
        WriteFile(dir / "file", bytes);
        int error = 0;
        file = platform::File::OpenForReading(dir / "file", error);
    }

    TempDir dir;
    uint64_t size;
    platform::File file;
};

// Piece sizes that cut records, blocks and line ends at every kind of place.
inline constexpr size_t kPieceSizes[] = {1, 2, 3, 67, 69, 515, 4096};

} // namespace zlc::test

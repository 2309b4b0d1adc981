#include "files/BlockSearch.h"

#include "base/ByteOrder.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zlc {

namespace {

// Two identifier bytes far apart that are both uncommon in program images: a
// position must carry both to be worth a full compare.
constexpr size_t kProbeOffset = 10;
constexpr uint8_t kFirstByte = '6';
constexpr uint8_t kProbeByte = 'X';
static_assert(kConfigBlockId[0] == kFirstByte && kConfigBlockId[kProbeOffset] == kProbeByte);

size_t FindCandidateScalar(const uint8_t* data, size_t from, size_t lastStart) {
    size_t p = from;
    while (p <= lastStart) {
        const void* hit = std::memchr(data + p, kFirstByte, lastStart - p + 1);
        if (hit == nullptr) {
            return SIZE_MAX;
        }
        p = static_cast<size_t>(static_cast<const uint8_t*>(hit) - data);
        if (data[p + kProbeOffset] == kProbeByte) {
            return p;
        }
        ++p;
    }
    return SIZE_MAX;
}

// An identifier followed by a known byte-order marker. The size field is handed
// back read in the order the marker shows; checking it is the caller's part.
bool LooksLikeBlockAt(const uint8_t* data, size_t p, uint16_t& marker, uint16_t& size) {
    if (std::memcmp(data + p, kConfigBlockId, kConfigBlockIdLength) != 0) {
        return false;
    }
    marker = ReadLE16(data + p + offsetof(ConfigBlock, endianDetect));
    const uint8_t* sizeField = data + p + offsetof(ConfigBlock, structSize);
    if (marker == kEndianNative) {
        size = ReadLE16(sizeField);
    } else if (marker == kEndianSwapped) {
        size = ReadBE16(sizeField);
    } else {
        return false;
    }
    return true;
}

} // namespace

size_t FindIdentifierCandidate(std::span<const uint8_t> image, size_t from, size_t lastStart) {
    const uint8_t* data = image.data();
    // Every position examined reads the probe byte kProbeOffset further on.
    if (lastStart >= image.size() || image.size() - lastStart <= kProbeOffset) {
        return SIZE_MAX;
    }
    size_t p = from;
#if defined(__SSE2__)
    // Sixteen positions at a time. The loads at p + 10 + 15 stay inside the
    // image because every candidate leaves 68 bytes after its start.
    constexpr size_t kLanes = 16;
    static_assert(kProbeOffset + kLanes <= kConfigBlockSize);
    const __m128i first = _mm_set1_epi8(static_cast<char>(kFirstByte));
    const __m128i probe = _mm_set1_epi8(static_cast<char>(kProbeByte));
    const auto hitsAt = [&](size_t at) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i b =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + kProbeOffset));
        return _mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, probe));
    };
    // Four times sixteen positions with one branch: candidates are rare, and
    // the search runs over every byte of a file.
    while (p <= lastStart && lastStart - p >= 4 * kLanes - 1) {
        const __m128i any =
            _mm_or_si128(_mm_or_si128(hitsAt(p), hitsAt(p + kLanes)),
                         _mm_or_si128(hitsAt(p + 2 * kLanes), hitsAt(p + 3 * kLanes)));
        if (_mm_movemask_epi8(any) != 0) {
            break; // the lanes below find the first of them
        }
        p += 4 * kLanes;
    }
    while (p <= lastStart && lastStart - p >= kLanes - 1) {
        const int hits = _mm_movemask_epi8(hitsAt(p));
        if (hits != 0) {
            return p + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
        }
        p += kLanes;
    }
#endif
    if (p > lastStart) {
        return SIZE_MAX;
    }
    return FindCandidateScalar(data, p, lastStart);
}

bool BlockScanner::Examine(std::span<const uint8_t> piece, uint64_t pieceOffset,
                           uint64_t firstStart, uint64_t lastStart) {
    if (result_ == BLOCK_ERROR && found_) {
        return false;
    }
    if (lastStart < firstStart || piece.size() < kConfigBlockSize) {
        return true;
    }
    const size_t last = static_cast<size_t>(lastStart - pieceOffset);
    for (size_t p =
             FindIdentifierCandidate(piece, static_cast<size_t>(firstStart - pieceOffset), last);
         p != SIZE_MAX; p = p < last ? FindIdentifierCandidate(piece, p + 1, last) : SIZE_MAX) {
        uint16_t marker = 0;
        uint16_t size = 0;
        if (!LooksLikeBlockAt(piece.data(), p, marker, size)) {
            continue;
        }
        if (size == kConfigBlockSize) {
            if (found_) {
                message_ = kMessageMultipleBlocks;
                result_ = BLOCK_ERROR;
                return false;
            }
            found_ = true;
            foundAt_ = pieceOffset + p;
            block_ = ConfigBlockFromBytes(piece.data() + p);
            result_ = BLOCK_FOUND;
        } else if (!found_) {
            message_ = kMessageWrongSize;
            result_ = BLOCK_ERROR;
        }
    }
    return true;
}

BlockResult BlockScanner::Answer(ConfigBlock* block, uint64_t* offset, std::string& message) const {
    message = message_;
    if (result_ == BLOCK_FOUND) {
        if (block != nullptr) {
            *block = block_;
        }
        if (offset != nullptr) {
            *offset = foundAt_;
        }
    }
    return result_;
}

BlockResult LocateConfigBlock(std::span<const uint8_t> image, ConfigBlock* block, size_t* offset,
                              std::string& message) {
    BlockScanner scanner;
    if (image.size() >= kConfigBlockSize) {
        scanner.Examine(image, 0, 0, image.size() - kConfigBlockSize);
    }
    uint64_t foundAt = 0;
    const BlockResult result = scanner.Answer(block, &foundAt, message);
    if (result == BLOCK_FOUND && offset != nullptr) {
        *offset = static_cast<size_t>(foundAt);
    }
    return result;
}

BlockResult ReplaceConfigBlock(const ConfigBlock& block, std::span<uint8_t> image,
                               std::string& message) {
    size_t offset = 0;
    const BlockResult result = LocateConfigBlock(image, nullptr, &offset, message);
    if (result == BLOCK_FOUND) {
        ConfigBlockToBytes(block, image.data() + offset);
    }
    return result;
}

} // namespace zlc

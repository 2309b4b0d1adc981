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
    while (p <= lastStart && lastStart - p >= kLanes - 1) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i b =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + kProbeOffset));
        const int hits = _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), //
                                                         _mm_cmpeq_epi8(b, probe)));
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

BlockResult LocateConfigBlock(std::span<const uint8_t> image, ConfigBlock* block, size_t* offset,
                              std::string& message) {
    message = kMessageNoConfigData;
    BlockResult result = BLOCK_ABSENT;
    if (image.size() < kConfigBlockSize) {
        return BLOCK_ABSENT;
    }
    const size_t lastStart = image.size() - kConfigBlockSize;
    bool found = false;
    size_t foundAt = 0;
    for (size_t p = FindIdentifierCandidate(image, 0, lastStart); p != SIZE_MAX;
         p = p < lastStart ? FindIdentifierCandidate(image, p + 1, lastStart) : SIZE_MAX) {
        uint16_t marker = 0;
        uint16_t size = 0;
        if (!LooksLikeBlockAt(image.data(), p, marker, size)) {
            continue;
        }
        if (size == kConfigBlockSize) {
            if (found) {
                message = kMessageMultipleBlocks;
                return BLOCK_ERROR;
            }
            found = true;
            foundAt = p;
            result = BLOCK_FOUND;
        } else if (!found) {
            message = kMessageWrongSize;
            result = BLOCK_ERROR;
        }
    }
    if (result == BLOCK_FOUND) {
        if (block != nullptr) {
            *block = ConfigBlockFromBytes(image.data() + foundAt);
        }
        if (offset != nullptr) {
            *offset = foundAt;
        }
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

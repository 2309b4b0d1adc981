#include "files/PrcHandler.h"

#include "base/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace zlc {

namespace {

constexpr size_t kTypeOffset = 60;
constexpr size_t kCountOffset = 76;
constexpr size_t kListOffset = 78;
constexpr size_t kEntrySize = 10;
constexpr size_t kEntryOffsetField = 6;
constexpr size_t kNotFound = SIZE_MAX;

size_t EntryOffsetPosition(size_t entry) {
    return kListOffset + kEntrySize * entry + kEntryOffsetField;
}

// ---- compression -------------------------------------------------------

void EmitLiterals(const uint8_t* bytes, size_t begin, size_t end, std::vector<uint8_t>& out) {
    while (begin < end) {
        const size_t n = std::min<size_t>(end - begin, 128);
        out.push_back(static_cast<uint8_t>(0x80 + (n - 1)));
        out.insert(out.end(), bytes + begin, bytes + begin + n);
        begin += n;
    }
}

bool StartsRun(const uint8_t* bytes, size_t q, size_t end) {
    const uint8_t v = bytes[q];
    if ((v == 0x00 || v == 0xFF) && q + 1 < end && bytes[q + 1] == v) {
        return true;
    }
    return q + 2 < end && bytes[q + 1] == v && bytes[q + 2] == v;
}

void EmitRunsAndLiterals(const uint8_t* bytes, size_t begin, size_t end,
                         std::vector<uint8_t>& out) {
    while (begin < end) {
        size_t q = begin;
        while (q < end && !StartsRun(bytes, q, end)) {
            ++q;
        }
        EmitLiterals(bytes, begin, q, out);
        if (q == end) {
            return;
        }
        const uint8_t v = bytes[q];
        const size_t limit = v == 0x00 ? 64 : v == 0xFF ? 16 : 33;
        size_t n = 1;
        while (q + n < end && n < limit && bytes[q + n] == v) {
            ++n;
        }
        if (v == 0x00) {
            out.push_back(static_cast<uint8_t>(0x40 + (n - 1)));
        } else if (v == 0xFF) {
            out.push_back(static_cast<uint8_t>(0x10 + (n - 1)));
        } else {
            out.push_back(static_cast<uint8_t>(0x20 + (n - 2)));
            out.push_back(v);
        }
        begin = q + n;
    }
}

// 00 00 00 00 FF x x x
size_t FindFfGroup(const uint8_t* bytes, size_t begin, size_t end) {
    for (size_t p = begin; p + 8 <= end; ++p) {
        if (bytes[p] == 0 && bytes[p + 1] == 0 && bytes[p + 2] == 0 && bytes[p + 3] == 0 &&
            bytes[p + 4] == 0xFF) {
            return p;
        }
    }
    return kNotFound;
}

// A9 F0 00 x x x 00 x. A group that starts A9 F0 00 but has no zero at byte 6
// moves the search on by three bytes, not one; the decoder does not care, but
// the output is expected byte for byte.
size_t FindA9Group(const uint8_t* bytes, size_t begin, size_t end) {
    size_t p = begin;
    while (p + 8 <= end) {
        if (bytes[p] == 0xA9 && bytes[p + 1] == 0xF0 && bytes[p + 2] == 0x00) {
            if (bytes[p + 6] == 0x00) {
                return p;
            }
            p += 3;
        } else {
            ++p;
        }
    }
    return kNotFound;
}

// A range in which no A9 group is found: FF groups first, runs and literals
// between them.
void CompressWithoutA9(const uint8_t* bytes, size_t begin, size_t end, std::vector<uint8_t>& out) {
    while (begin < end) {
        const size_t p = FindFfGroup(bytes, begin, end);
        if (p == kNotFound) {
            EmitRunsAndLiterals(bytes, begin, end, out);
            return;
        }
        EmitRunsAndLiterals(bytes, begin, p, out);
        if (bytes[p + 5] != 0xFF) {
            out.insert(out.end(), {0x02, bytes[p + 5], bytes[p + 6], bytes[p + 7]});
        } else {
            out.insert(out.end(), {0x01, bytes[p + 6], bytes[p + 7]});
        }
        begin = p + 8;
    }
}

// ---- database layout ---------------------------------------------------

bool IsConfigurableType(const uint8_t* type) {
    return std::memcmp(type, "appl", 4) == 0 || std::memcmp(type, "HACK", 4) == 0;
}

} // namespace

bool DecompressPrcStream(std::span<const uint8_t> input, size_t& pos, std::vector<uint8_t>& out) {
    const size_t end = input.size();
    auto need = [&](size_t operands) { return end - pos >= operands; };
    auto grow = [&](size_t n) { return out.size() + n <= kPrcBufferLimit; };
    while (pos < end) {
        const uint8_t code = input[pos++];
        if (code == 0x00) {
            return true;
        }
        if (code & 0x80) {
            const size_t n = (code & 0x7F) + 1u;
            if (!need(n) || !grow(n)) {
                return false;
            }
            out.insert(out.end(), input.begin() + static_cast<std::ptrdiff_t>(pos),
                       input.begin() + static_cast<std::ptrdiff_t>(pos + n));
            pos += n;
        } else if (code & 0x40) {
            const size_t n = (code & 0x3F) + 1u;
            if (!grow(n)) {
                return false;
            }
            out.insert(out.end(), n, 0x00);
        } else if (code & 0x20) {
            const size_t n = (code & 0x1F) + 2u;
            if (!need(1) || !grow(n)) {
                return false;
            }
            out.insert(out.end(), n, input[pos++]);
        } else if (code & 0x10) {
            const size_t n = (code & 0x0F) + 1u;
            if (!grow(n)) {
                return false;
            }
            out.insert(out.end(), n, 0xFF);
        } else if (code >= 0x01 && code <= 0x04) {
            const size_t operands = code == 0x01 ? 2 : code == 0x04 ? 4 : 3;
            if (!need(operands) || !grow(8)) {
                return false;
            }
            const uint8_t* b = input.data() + pos;
            pos += operands;
            switch (code) {
            case 0x01:
                out.insert(out.end(), {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, b[0], b[1]});
                break;
            case 0x02:
                out.insert(out.end(), {0x00, 0x00, 0x00, 0x00, 0xFF, b[0], b[1], b[2]});
                break;
            case 0x03:
                out.insert(out.end(), {0xA9, 0xF0, 0x00, 0x00, b[0], b[1], 0x00, b[2]});
                break;
            default:
                out.insert(out.end(), {0xA9, 0xF0, 0x00, b[0], b[1], b[2], 0x00, b[3]});
                break;
            }
        } else {
            return false; // 0x05 to 0x0F
        }
    }
    return false; // no end code before the end of the resource
}

void CompressPrcStream(std::span<const uint8_t> bytes, std::vector<uint8_t>& out) {
    const uint8_t* data = bytes.data();
    size_t begin = 0;
    const size_t end = bytes.size();
    while (begin < end) {
        const size_t p = FindA9Group(data, begin, end);
        if (p == kNotFound) {
            CompressWithoutA9(data, begin, end, out);
            break;
        }
        CompressWithoutA9(data, begin, p, out);
        if (data[p + 3] != 0x00) {
            out.insert(out.end(), {0x04, data[p + 3], data[p + 4], data[p + 5], data[p + 7]});
        } else {
            out.insert(out.end(), {0x03, data[p + 4], data[p + 5], data[p + 7]});
        }
        begin = p + 8;
    }
    out.push_back(0x00);
}

namespace {

// Finds the data resource from the bytes of the database up to the end of its
// resource list (`head`) and the file's length. BLOCK_FOUND when it was
// found, with its place in `out`.
BlockResult LocateDataResource(std::span<const uint8_t> head, uint64_t fileSize,
                               DecodedDataResource& out, std::string& message) {
    message = kMessageNoConfigData;
    // Too short to carry a type and a resource count: not a database at all.
    if (head.size() < kListOffset || !IsConfigurableType(head.data() + kTypeOffset)) {
        return BLOCK_ABSENT;
    }
    out = DecodedDataResource{};
    out.resourceCount = ReadBE16(head.data() + kCountOffset);
    const size_t count = out.resourceCount;
    if (PrcListEnd(head) > head.size()) {
        message = kMessagePrcCannotDecode;
        return BLOCK_ERROR;
    }
    size_t dataEntry = kNotFound;
    for (size_t i = 0; i < count; ++i) {
        if (std::memcmp(head.data() + kListOffset + kEntrySize * i, "data", 4) == 0) {
            dataEntry = i;
            break;
        }
    }
    if (dataEntry == kNotFound) {
        message = kMessageNoDataResource;
        return BLOCK_ERROR;
    }
    // The resources must lie behind the list, inside the file and in the order
    // of their entries; moving them on a rewrite relies on that.
    uint64_t previous = PrcListEnd(head);
    for (size_t i = 0; i < count; ++i) {
        const uint64_t offset = ReadBE32(head.data() + EntryOffsetPosition(i));
        if (offset < previous || offset > fileSize) {
            message = kMessagePrcCannotDecode;
            return BLOCK_ERROR;
        }
        previous = offset;
    }
    out.dataEntry = dataEntry;
    out.resourceOffset = ReadBE32(head.data() + EntryOffsetPosition(dataEntry));
    const uint64_t resourceEnd = dataEntry + 1 < count
                                     ? ReadBE32(head.data() + EntryOffsetPosition(dataEntry + 1))
                                     : fileSize;
    out.resourceLength = static_cast<size_t>(resourceEnd - out.resourceOffset);
    return BLOCK_FOUND;
}

// Decodes the three blocks of the data resource located in `out` and searches
// them. `resource` holds the resource's bytes from its start, all of them or
// at least kPrcResourceReadLimit.
BlockResult DecodeDataResource(std::span<const uint8_t> resource, ConfigBlock* block,
                               DecodedDataResource& out, std::string& message) {
    size_t pos = 0;
    if (resource.size() < 4) {
        message = kMessagePrcCannotDecode;
        return BLOCK_ERROR;
    }
    out.firstWord = ReadBE32(resource.data());
    pos = 4;
    BlockResult result = BLOCK_ABSENT;
    for (int i = 0; i < kPrcBlockCount; ++i) {
        if (resource.size() - pos < 4) {
            message = kMessagePrcCannotDecode;
            return BLOCK_ERROR;
        }
        out.blockOffsets[i] = ReadBE32(resource.data() + pos);
        pos += 4;
        if (!DecompressPrcStream(resource, pos, out.blocks[i])) {
            message = kMessagePrcCannotDecode;
            return BLOCK_ERROR;
        }
        // The first block that answers decides; later blocks are only decoded.
        if (!out.blocks[i].empty() && out.foundBlock < 0) {
            result = LocateConfigBlock(out.blocks[i], block, nullptr, message);
            if (result != BLOCK_ABSENT) {
                out.foundBlock = i;
            }
        }
    }
    out.consumed = pos;
    out.trailingLength = out.resourceLength - pos;
    if (result == BLOCK_ABSENT) {
        message = kMessageNoConfigData;
    }
    return result;
}

} // namespace

size_t PrcListEnd(std::span<const uint8_t> head) {
    if (head.size() < kListOffset) {
        return kListOffset;
    }
    return kListOffset + kEntrySize * ReadBE16(head.data() + kCountOffset);
}

BlockResult ReadPrcDatabase(std::span<const uint8_t> image, ConfigBlock* block,
                            DecodedDataResource* decoded, std::string& message) {
    DecodedDataResource local;
    DecodedDataResource& out = decoded != nullptr ? *decoded : local;
    const BlockResult located = LocateDataResource(image, image.size(), out, message);
    if (located != BLOCK_FOUND) {
        return located;
    }
    return DecodeDataResource(image.subspan(out.resourceOffset, out.resourceLength), block, out,
                              message);
}

BlockResult PrcReadFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                        std::string& message, FileLayout*) {
    message = kMessageNoConfigData;
    int error = 0;
    auto read = [&](uint64_t offset, size_t length, std::vector<uint8_t>& bytes) {
        bytes.resize(length);
        return file.ReadAt(offset, bytes, error);
    };
    if (size < kListOffset) {
        return BLOCK_ABSENT;
    }
    std::vector<uint8_t> head;
    if (!read(0, kListOffset, head)) {
        message = platform::SystemErrorText(error);
        return BLOCK_ERROR;
    }
    if (IsConfigurableType(head.data() + kTypeOffset) && PrcListEnd(head) <= size &&
        !read(0, PrcListEnd(head), head)) {
        message = platform::SystemErrorText(error);
        return BLOCK_ERROR;
    }
    DecodedDataResource decoded;
    const BlockResult located = LocateDataResource(head, size, decoded, message);
    if (located != BLOCK_FOUND) {
        return located;
    }
    // The compressed blocks take no more than kPrcResourceReadLimit bytes, so
    // that is all a search needs of a longer resource.
    std::vector<uint8_t> resource;
    if (!read(decoded.resourceOffset, std::min(decoded.resourceLength, kPrcResourceReadLimit),
              resource)) {
        message = platform::SystemErrorText(error);
        return BLOCK_ERROR;
    }
    return DecodeDataResource(resource, block, decoded, message);
}

BlockResult PrcReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message) {
    return ReadPrcDatabase(image, block, nullptr, message);
}

BlockResult PrcWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image,
                          size_t capacity, ImagePatch& patch, std::string& message) {
    DecodedDataResource decoded;
    ConfigBlock found{};
    const BlockResult result = ReadPrcDatabase(image, &found, &decoded, message);
    if (result != BLOCK_FOUND) {
        return result;
    }
    const ConfigBlock block = makeBlock(found);
    std::vector<uint8_t> resource(4);
    for (int i = 0; i < kPrcBlockCount; ++i) {
        const size_t at = resource.size();
        resource.resize(at + 4);
        WriteBE32(resource.data() + at, decoded.blockOffsets[i]);
        std::vector<uint8_t>& bytes = decoded.blocks[i];
        if (i == decoded.foundBlock &&
            ReplaceConfigBlock(block, std::span<uint8_t>(bytes), message) != BLOCK_FOUND) {
            return BLOCK_ERROR;
        }
        CompressPrcStream(bytes, resource);
    }
    const size_t trailingStart = decoded.resourceOffset + decoded.consumed;
    resource.insert(resource.end(), image.begin() + static_cast<std::ptrdiff_t>(trailingStart),
                    image.begin() +
                        static_cast<std::ptrdiff_t>(trailingStart + decoded.trailingLength));
    if (resource.size() > kPrcBufferLimit) {
        message = kMessagePrcResourceTooLong;
        return BLOCK_ERROR;
    }
    // Offsets are 32-bit fields, so the change is applied modulo 2^32, which
    // adds a negative change correctly.
    const uint32_t delta = static_cast<uint32_t>(resource.size() - decoded.resourceLength);
    WriteBE32(resource.data(), decoded.firstWord + delta);

    const size_t newLength = image.size() - decoded.resourceLength + resource.size();
    if (newLength > capacity) {
        message = kMessageGrowthReserveExceeded;
        return BLOCK_ERROR;
    }
    std::vector<uint8_t> rebuilt;
    rebuilt.reserve(newLength);
    const size_t resourceEnd = decoded.resourceOffset + decoded.resourceLength;
    rebuilt.insert(rebuilt.end(), image.begin(),
                   image.begin() + static_cast<std::ptrdiff_t>(decoded.resourceOffset));
    rebuilt.insert(rebuilt.end(), resource.begin(), resource.end());
    rebuilt.insert(rebuilt.end(), image.begin() + static_cast<std::ptrdiff_t>(resourceEnd),
                   image.end());
    for (size_t i = decoded.dataEntry + 1; i < decoded.resourceCount; ++i) {
        uint8_t* field = rebuilt.data() + EntryOffsetPosition(i);
        WriteBE32(field, ReadBE32(field) + delta);
    }
    patch = PatchBetween(image, rebuilt);
    return BLOCK_FOUND;
}

BlockResult PrcWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image, size_t capacity,
                          ImagePatch& patch, std::string& message) {
    return PrcWriteBlock([&block](const ConfigBlock&) { return block; }, image, capacity, patch,
                         message);
}

} // namespace zlc

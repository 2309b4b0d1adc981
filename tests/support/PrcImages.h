#pragma once

#include "base/ByteOrder.h"
#include "files/PrcHandler.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zlc::test {

struct PrcResource {
    std::string type; // four characters
    uint16_t id = 0;
    std::vector<uint8_t> bytes;
};

inline void PutBE32(std::vector<uint8_t>& out, size_t at, size_t v) {
    WriteBE32(out.data() + at, static_cast<uint32_t>(v));
}

inline uint32_t GetBE32(const std::vector<uint8_t>& in, size_t at) {
    return ReadBE32(in.data() + at);
}

// A compressed stream made of literal codes only: simple, and a different
// encoding from the one the program writes, so a rewrite shows.
inline std::vector<uint8_t> LiteralStream(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> out;
    for (size_t at = 0; at < bytes.size(); at += 128) {
        const size_t n = std::min<size_t>(128, bytes.size() - at);
        out.push_back(static_cast<uint8_t>(0x80 + n - 1));
        out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                   bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0x00);
    return out;
}

// A "data" resource: first word, three blocks (offset and stream), trailing.
inline std::vector<uint8_t> DataResource(const std::array<std::vector<uint8_t>, 3>& streams,
                                         const std::vector<uint8_t>& trailing = {0xDE, 0xAD},
                                         uint32_t firstWord = 0x100) {
    std::vector<uint8_t> out(4);
    PutBE32(out, 0, firstWord);
    for (size_t i = 0; i < 3; ++i) {
        const size_t at = out.size();
        out.resize(at + 4);
        PutBE32(out, at, static_cast<uint32_t>(0x20 * (i + 1)));
        out.insert(out.end(), streams[i].begin(), streams[i].end());
    }
    out.insert(out.end(), trailing.begin(), trailing.end());
    return out;
}

// A resource database: 78-byte header, the list, two padding bytes, the data.
inline std::vector<uint8_t> PrcDatabase(const std::string& type,
                                        const std::vector<PrcResource>& resources) {
    std::vector<uint8_t> out(78, 0);
    std::copy(type.begin(), type.end(), out.begin() + 60);
    WriteBE16(out.data() + 76, static_cast<uint16_t>(resources.size()));
    size_t offset = 78 + 10 * resources.size() + 2;
    for (const PrcResource& r : resources) {
        const size_t at = out.size();
        out.resize(at + 10);
        std::copy(r.type.begin(), r.type.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
        WriteBE16(out.data() + at + 4, r.id);
        PutBE32(out, at + 6, offset);
        offset += r.bytes.size();
    }
    out.push_back(0);
    out.push_back(0);
    for (const PrcResource& r : resources) {
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    }
    return out;
}

// The resource at list entry `index` of a database.
inline std::vector<uint8_t> ResourceBytes(const std::vector<uint8_t>& db, size_t index) {
    const size_t count = (size_t{db[76]} << 8) | db[77];
    const size_t begin = GetBE32(db, 78 + 10 * index + 6);
    const size_t end = index + 1 < count ? GetBE32(db, 78 + 10 * (index + 1) + 6) : db.size();
    return {db.begin() + static_cast<std::ptrdiff_t>(begin),
            db.begin() + static_cast<std::ptrdiff_t>(end)};
}

// The decompressed block `which` of a data resource, empty when it cannot be
// decoded.
inline std::vector<uint8_t> DecodedBlock(const std::vector<uint8_t>& resource, int which) {
    size_t pos = 4;
    std::vector<uint8_t> block;
    for (int i = 0; i <= which; ++i) {
        pos += 4;
        block.clear();
        if (!DecompressPrcStream(resource, pos, block)) {
            return {};
        }
    }
    return block;
}

} // namespace zlc::test

#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zlc::test {

struct PrcResource {
    std::string type; // four characters
    uint16_t id = 0;
    std::vector<uint8_t> bytes;
};

inline void PutBE32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v >> 24);
    out[at + 1] = static_cast<uint8_t>(v >> 16);
    out[at + 2] = static_cast<uint8_t>(v >> 8);
    out[at + 3] = static_cast<uint8_t>(v);
}

inline uint32_t GetBE32(const std::vector<uint8_t>& in, size_t at) {
    return (uint32_t{in[at]} << 24) | (uint32_t{in[at + 1]} << 16) | (uint32_t{in[at + 2]} << 8) |
           in[at + 3];
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

inline std::vector<uint8_t> DataResourceWith(const std::vector<uint8_t>& block0) {
    return DataResource({LiteralStream(block0), LiteralStream({}), LiteralStream({})});
}

// A resource database: 78-byte header, the list, two padding bytes, the data.
inline std::vector<uint8_t> PrcDatabase(const std::string& type,
                                        const std::vector<PrcResource>& resources) {
    std::vector<uint8_t> out(78, 0);
    std::copy(type.begin(), type.end(), out.begin() + 60);
    out[76] = static_cast<uint8_t>(resources.size() >> 8);
    out[77] = static_cast<uint8_t>(resources.size());
    size_t offset = 78 + 10 * resources.size() + 2;
    for (const PrcResource& r : resources) {
        const size_t at = out.size();
        out.resize(at + 10);
        std::copy(r.type.begin(), r.type.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
        out[at + 4] = static_cast<uint8_t>(r.id >> 8);
        out[at + 5] = static_cast<uint8_t>(r.id);
        PutBE32(out, at + 6, static_cast<uint32_t>(offset));
        offset += r.bytes.size();
    }
    out.push_back(0);
    out.push_back(0);
    for (const PrcResource& r : resources) {
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    }
    return out;
}

// Decodes a stream independently of the program's decoder.
inline std::vector<uint8_t> DecodeStream(const std::vector<uint8_t>& in, size_t& pos) {
    std::vector<uint8_t> out;
    for (;;) {
        const uint8_t c = in.at(pos++);
        if (c == 0) {
            return out;
        }
        if (c >= 0x80) {
            for (int n = (c & 0x7F) + 1; n > 0; --n) {
                out.push_back(in.at(pos++));
            }
        } else if (c >= 0x40) {
            out.insert(out.end(), (c & 0x3F) + 1u, 0x00);
        } else if (c >= 0x20) {
            out.insert(out.end(), (c & 0x1F) + 2u, in.at(pos++));
        } else if (c >= 0x10) {
            out.insert(out.end(), (c & 0x0F) + 1u, 0xFF);
        } else if (c == 1) {
            out.insert(out.end(), {0, 0, 0, 0, 0xFF, 0xFF, in.at(pos), in.at(pos + 1)});
            pos += 2;
        } else if (c == 2) {
            out.insert(out.end(), {0, 0, 0, 0, 0xFF, in.at(pos), in.at(pos + 1), in.at(pos + 2)});
            pos += 3;
        } else if (c == 3) {
            out.insert(out.end(),
                       {0xA9, 0xF0, 0, 0, in.at(pos), in.at(pos + 1), 0, in.at(pos + 2)});
            pos += 3;
        } else if (c == 4) {
            out.insert(out.end(), {0xA9, 0xF0, 0, in.at(pos), in.at(pos + 1), in.at(pos + 2), 0,
                                   in.at(pos + 3)});
            pos += 4;
        } else {
            throw std::runtime_error("invalid code");
        }
    }
}

// The resource at list entry `index` of a database.
inline std::vector<uint8_t> ResourceBytes(const std::vector<uint8_t>& db, size_t index) {
    const size_t count = (size_t{db[76]} << 8) | db[77];
    const size_t begin = GetBE32(db, 78 + 10 * index + 6);
    const size_t end = index + 1 < count ? GetBE32(db, 78 + 10 * (index + 1) + 6) : db.size();
    return {db.begin() + static_cast<std::ptrdiff_t>(begin),
            db.begin() + static_cast<std::ptrdiff_t>(end)};
}

// The decompressed block `which` of a data resource.
inline std::vector<uint8_t> DecodedBlock(const std::vector<uint8_t>& resource, int which) {
    size_t pos = 4;
    std::vector<uint8_t> block;
    for (int i = 0; i <= which; ++i) {
        pos += 4;
        block = DecodeStream(resource, pos);
    }
    return block;
}

} // namespace zlc::test

#pragma once

#include "files/ContainerHandlers.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zlc {

inline constexpr const char* kMessageNoDataResource =
    "The PRC file does not contain a DATA resource.";
inline constexpr const char* kMessagePrcCannotDecode =
    "The PRC file cannot be successfully decoded.";
inline constexpr const char* kMessagePrcResourceTooLong =
    "The rebuilt PRC data resource would be longer than 65536 bytes.";

// A data resource holds three compressed blocks; each decompresses to at most
// this many bytes, and a rebuilt resource is no longer than this either.
inline constexpr size_t kPrcBufferLimit = 65536;
inline constexpr int kPrcBlockCount = 3;

// The most bytes that the first word and three compressed blocks can take: a
// stream of one-byte literals spends two bytes on every byte it produces.
inline constexpr size_t kPrcResourceReadLimit = 4 + kPrcBlockCount * (4 + 2 * kPrcBufferLimit + 1);

// The first "data" resource of a database, taken apart for a rewrite.
struct DecodedDataResource {
    uint16_t resourceCount = 0;
    size_t dataEntry = 0;      // index in the resource list
    size_t resourceOffset = 0; // from the start of the file
    size_t resourceLength = 0;
    uint32_t firstWord = 0;
    size_t consumed = 0; // first word and the three compressed blocks
    size_t trailingLength = 0;
    uint32_t blockOffsets[kPrcBlockCount]{};
    std::vector<uint8_t> blocks[kPrcBlockCount]; // decompressed
    int foundBlock = -1;                         // the block that holds the configuration block
};

// Reads a resource database ("appl" or "HACK") and searches its data resource
// for the block. Everything in the file is checked against the file's length
// before it is used. `decoded` (optional) receives the resource taken apart.
BlockResult ReadPrcDatabase(std::span<const uint8_t> image, ConfigBlock* block,
                            DecodedDataResource* decoded, std::string& message);

// Where the resource list of a database ends, from its first 78 bytes.
size_t PrcListEnd(std::span<const uint8_t> head);

// ReadPrcDatabase's answer for a file, reading only the header, the resource
// list and the compressed blocks. A database is rebuilt whole when saved, so
// there is no layout to note.
BlockResult PrcReadFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                        std::string& message, FileLayout* layout = nullptr);

BlockResult PrcReadBlock(std::span<const uint8_t> image, ConfigBlock* block, std::string& message);
// Recompresses the data resource with the new block and moves the resources
// behind it by the change in length.
BlockResult PrcWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image,
                          size_t capacity, ImagePatch& patch, std::string& message);
BlockResult PrcWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image, size_t capacity,
                          ImagePatch& patch, std::string& message);

// Decompresses one stream starting at `pos` up to and including its end code;
// `pos` then points behind it. False for an invalid code, a stream cut short
// by the end of `input`, or more than kPrcBufferLimit bytes of output.
bool DecompressPrcStream(std::span<const uint8_t> input, size_t& pos, std::vector<uint8_t>& out);

// Appends the compressed form of `bytes`, end code included.
void CompressPrcStream(std::span<const uint8_t> bytes, std::vector<uint8_t>& out);

} // namespace zlc

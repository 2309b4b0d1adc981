#pragma once

#include "files/ContainerHandlers.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zlc {

inline constexpr const char* kMessageSRecordCorrupted =
    "This S-Record file contains corrupted information.";
inline constexpr const char* kMessageInvalidRecordCount =
    "The file contains an invalid record count.";

// One line of S-record text as read: an S0-S3, S5 or S7-S9 record, or a kept
// line ('?') that is carried through as text.
struct SRecordLine {
    char type; // '0'..'9', or '?' for a kept line
    uint32_t address;
    size_t count; // the record's byte count, or a kept line's length in characters
};

// S-record text taken apart: the data bytes of every S0-S3 record and the text
// of every kept line, in file order, and the lines that rebuild the text.
struct SRecordImage {
    std::vector<uint8_t> data;
    std::vector<SRecordLine> lines;
    std::string lineEnd; // the first run of CR, LF and NUL characters
    size_t blockOffset = 0;
};

// Whether `image` is S-record text at all: printable characters, tabs and line
// ends only, at least three lines starting with 'S', one of them S1, S2 or S3.
bool LooksLikeSRecordText(std::span<const uint8_t> image);

// Reads S-record text and searches its data for the block. `parsed` (optional)
// receives the text taken apart, for a rewrite.
BlockResult ReadSRecordImage(std::span<const uint8_t> image, ConfigBlock* block,
                             SRecordImage* parsed, std::string& message);

BlockResult SRecordReadBlock(std::span<const uint8_t> image, ConfigBlock* block,
                             std::string& message);
// Regenerates the whole text with the new block and fresh checksums.
BlockResult SRecordWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message);
BlockResult SRecordWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message);

} // namespace zlc

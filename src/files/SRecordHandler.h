#pragma once

#include "files/ContainerHandlers.h"
#include "files/FilePieces.h"
#include "files/SRecordParser.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zlc {

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

// What a parse tells of a text besides its records.
struct SRecordTextFacts {
    std::string lineEnd;        // the first run of CR, LF and NUL characters
    bool writtenAsRead = false; // SRecordParser::WrittenAsRead
};

// Reads S-record text from a file a piece at a time and hands it to `sink`.
// BLOCK_ABSENT for a file that is not S-record text; BLOCK_ERROR with the
// message for damaged text or a failed read; BLOCK_FOUND once the whole text
// went through the sink, which does the searching. `facts` (optional)
// receives what the parse tells of the text.
BlockResult ParseSRecordFile(const platform::File& file, uint64_t size, SRecordSink& sink,
                             SRecordTextFacts* facts, std::string& message,
                             size_t pieceSize = kFilePieceSize);

// ReadSRecordImage's answer for a file, holding no more than a bounded part
// of it; `dataOffset` (optional) receives the block's place in the data, and
// `layout` (optional), when the block is found, that place and how the text
// is written again.
BlockResult LocateSRecordBlockInFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                                     uint64_t* dataOffset, std::string& message,
                                     size_t pieceSize = kFilePieceSize,
                                     FileLayout* layout = nullptr);

// Works out how makeBlock(the found block) is written into the S-record text
// of a file, reading it a piece at a time as SRecordWriteBlock reads an
// image, with the same answers. A text that would be written again as it
// stands gets a patch of the records that hold the block; any other gets a
// patch that writes the whole text again, a piece at a time, from `file`,
// which must stay open and unchanged until the patch is written.
BlockResult SRecordPlanFileSave(const BlockForFile& makeBlock, const platform::File& file,
                                uint64_t size, uint64_t capacity, ImagePatch& patch,
                                std::string& message, size_t pieceSize = kFilePieceSize);

// SRecordPlanFileSave's second half, for a file whose `layout` is known
// already: only the records that hold the block are read. BLOCK_ABSENT when
// the text does not hold the layout's block where the layout puts it.
BlockResult SRecordPlanFromLayout(const BlockForFile& makeBlock, const platform::File& file,
                                  uint64_t size, uint64_t capacity, const FileLayout& layout,
                                  ImagePatch& patch, std::string& message,
                                  size_t pieceSize = kFilePieceSize);

BlockResult SRecordReadFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                            std::string& message, FileLayout* layout = nullptr);
BlockResult SRecordReadBlock(std::span<const uint8_t> image, ConfigBlock* block,
                             std::string& message);
// Regenerates the whole text with the new block and fresh checksums.
BlockResult SRecordWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message);
BlockResult SRecordWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message);

} // namespace zlc

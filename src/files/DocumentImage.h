#pragma once

#include "files/ContainerHandlers.h"
#include "files/ImagePatch.h"
#include "model/ConfigDocument.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zlc {

// Loads the one block of a file image into the document through the container
// handlers. On failure the document is left exactly as it was and `message`
// says why.
bool LoadFromImage(ConfigDocument& doc, std::span<const uint8_t> image, std::string& message);

// The same for a file of `size` bytes, read a piece at a time: whatever its
// size, the file is never held whole. `layout` (optional) receives where the
// block lies, for a later save of the same file.
bool LoadFromFile(ConfigDocument& doc, const platform::File& file, uint64_t size,
                  std::string& message, FileLayout* layout = nullptr);

// The block that replaces a file's own: the document's, in the file's byte
// order, keeping the file's display buffer and register addresses with
// preservePhysicalAddress. The document must outlive the result.
BlockForFile BlockWrittenInto(const ConfigDocument& doc, bool preservePhysicalAddress);

// Works out how the document's block is written into a file image in the
// file's own container and byte order: on success `patch` holds the changed
// bytes and the new length (at most `capacity`). With preservePhysicalAddress
// the file keeps its own display buffer and register addresses. Neither the image nor the
// document is changed.
bool StoreToImage(const ConfigDocument& doc, std::span<const uint8_t> image, size_t capacity,
                  bool preservePhysicalAddress, ImagePatch& patch, std::string& message);

// The same for an image held in memory, which is patched on success and left
// unchanged otherwise.
bool StoreToImage(const ConfigDocument& doc, std::vector<uint8_t>& image, size_t capacity,
                  bool preservePhysicalAddress, std::string& message);

} // namespace zlc

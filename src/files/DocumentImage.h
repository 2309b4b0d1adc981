#pragma once

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

// Writes the document's block into a file image in the file's own container
// and byte order. With preservePhysicalAddress the file keeps its own display
// buffer address. The image may be re-encoded up to `capacity` bytes; it is
// left unchanged unless the store succeeds. The document is never changed.
bool StoreToImage(const ConfigDocument& doc, std::vector<uint8_t>& image, size_t capacity,
                  bool preservePhysicalAddress, std::string& message);

} // namespace zlc

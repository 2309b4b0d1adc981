#include "files/ImagePatch.h"

#include <algorithm>
#include <cstring>

namespace zlc {

ImagePatch PatchBetween(std::span<const uint8_t> before, std::span<const uint8_t> after) {
    ImagePatch patch;
    patch.length = after.size();
    const size_t common = std::min(before.size(), after.size());
    constexpr size_t kChunk = 4096;
    size_t first = 0;
    while (common - first >= kChunk &&
           std::memcmp(before.data() + first, after.data() + first, kChunk) == 0) {
        first += kChunk;
    }
    while (first < common && before[first] == after[first]) {
        ++first;
    }
    size_t end = after.size();
    if (before.size() == after.size()) {
        // Back from the end a chunk at a time, as forward above: a rewritten
        // text of tens of megabytes usually differs in one record only.
        while (end - first >= kChunk && std::memcmp(before.data() + end - kChunk,
                                                    after.data() + end - kChunk, kChunk) == 0) {
            end -= kChunk;
        }
        while (end > first && before[end - 1] == after[end - 1]) {
            --end;
        }
        if (end == first) {
            first = end = 0; // nothing changed
        }
    }
    patch.offset = first;
    patch.bytes.assign(after.begin() + static_cast<std::ptrdiff_t>(first),
                       after.begin() + static_cast<std::ptrdiff_t>(end));
    return patch;
}

bool HoldRewrite(ImagePatch& patch) {
    if (!patch.rewrite) {
        return true;
    }
    std::vector<uint8_t> content(patch.length);
    if (!patch.rewrite([&content](uint64_t at, std::span<const uint8_t> piece) {
            if (at > content.size() || piece.size() > content.size() - at) {
                return false;
            }
            std::copy(piece.begin(), piece.end(),
                      content.begin() + static_cast<std::ptrdiff_t>(at));
            return true;
        })) {
        return false;
    }
    patch.offset = 0;
    patch.bytes = std::move(content);
    patch.rewrite = nullptr;
    return true;
}

void ApplyPatch(std::vector<uint8_t>& image, const ImagePatch& patch) {
    const size_t end = patch.offset + patch.bytes.size();
    if (image.size() < end) {
        image.resize(end);
    }
    std::copy(patch.bytes.begin(), patch.bytes.end(),
              image.begin() + static_cast<std::ptrdiff_t>(patch.offset));
    image.resize(patch.length);
}

} // namespace zlc

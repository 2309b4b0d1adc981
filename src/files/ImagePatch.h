#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace zlc {

// How a save changes a file image: `bytes` replace the image from `offset` on,
// and the image then has `length` bytes. A raw image patch is the 68 bytes of
// the block; a re-encoded container's patch runs from its first changed byte.
// Keeping the change separate from the image lets a save build everything in
// memory first and write no byte it does not have to.
struct ImagePatch {
    size_t offset = 0;
    std::vector<uint8_t> bytes;
    size_t length = 0;
    // Set instead of `bytes` when the new content differs too widely to be
    // held: hands the whole new content, all `length` bytes, to `emit` a
    // piece at a time, each with its offset. Each byte comes once, but the
    // pieces may come out of order and from several threads at once. False
    // when `emit` refused a piece or the content could not be built.
    using Emit = std::function<bool(uint64_t at, std::span<const uint8_t> piece)>;
    std::function<bool(const Emit& emit)> rewrite;
};

// Turns a patch that rewrites the whole content into one that holds it, for a
// writer that needs the bytes at hand. False when the content could not be
// built.
bool HoldRewrite(ImagePatch& patch);

// The patch that turns `before` into `after`: from the first byte that differs
// to the last one (to the end when the length changes).
ImagePatch PatchBetween(std::span<const uint8_t> before, std::span<const uint8_t> after);

// Applies a patch to an image held in memory.
void ApplyPatch(std::vector<uint8_t>& image, const ImagePatch& patch);

} // namespace zlc

#include "files/ContainerHandlers.h"

namespace zlc {

namespace {

// The order matters: the first handler that recognises its container decides,
// and a raw search would also find a block that happens to be stored unencoded
// inside a PRC record.
constexpr ContainerHandler kHandlers[] = {
    {"raw image", RawReadBlock, RawWriteBlock},
};

} // namespace

std::span<const ContainerHandler> ContainerHandlers() {
    return kHandlers;
}

} // namespace zlc

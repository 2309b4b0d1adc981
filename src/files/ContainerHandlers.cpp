#include "files/ContainerHandlers.h"

#include "files/PrcHandler.h"
#include "files/SRecordHandler.h"

namespace zlc {

namespace {

// The order matters: the first handler that recognises its container decides.
// The raw search goes first because it recognises nothing but a block, and
// S-record text last because its recognition is the loosest.
constexpr ContainerHandler kHandlers[] = {
    {"raw image", RawReadBlock, RawReadFile, RawWriteBlock},
    {"PRC", PrcReadBlock, PrcReadFile, PrcWriteBlock},
    {"S-record", SRecordReadBlock, SRecordReadFile, SRecordWriteBlock},
};

} // namespace

std::span<const ContainerHandler> ContainerHandlers() {
    return kHandlers;
}

} // namespace zlc

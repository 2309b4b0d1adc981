#include "FuzzCommon.h"
#include "files/SRecordHandler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zlc::fuzz::ReadWriteReread({data, size}, zlc::SRecordReadBlock, zlc::SRecordWriteBlock);
    return 0;
}

#include "FuzzCommon.h"
#include "files/PrcHandler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zlc::fuzz::ReadWriteReread({data, size}, zlc::PrcReadBlock, zlc::PrcWriteBlock);
    // Read from a file, which is read only as far as the data resource needs.
    std::string message;
    std::string fileMessage;
    zlc::ConfigBlock found{};
    zlc::ConfigBlock fromFile{};
    const zlc::BlockResult result = zlc::PrcReadBlock({data, size}, &found, message);
    zlc::fuzz::ExpectSameAnswer(
        result, message, found,
        zlc::PrcReadFile(zlc::fuzz::InMemoryFile({data, size}), size, &fromFile, fileMessage),
        fileMessage, fromFile);
    // The compressor's output must decompress to what it was given.
    std::vector<uint8_t> compressed;
    zlc::CompressPrcStream({data, size}, compressed);
    std::vector<uint8_t> back;
    size_t pos = 0;
    if (size <= zlc::kPrcBufferLimit &&
        (!zlc::DecompressPrcStream(compressed, pos, back) || pos != compressed.size() ||
         back != std::vector<uint8_t>(data, data + size))) {
        std::abort();
    }
    return 0;
}

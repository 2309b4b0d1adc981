#include "files/DocumentImage.h"

#include "files/ContainerHandlers.h"

namespace zlc {

namespace {

struct HandlerAnswer {
    const ContainerHandler* handler = nullptr;
    BlockResult result = BLOCK_ABSENT;
    ConfigBlock block{};
};

// Asks the handlers in turn; the first that does not answer BLOCK_ABSENT
// decides, and its message is the message of the whole chain.
HandlerAnswer AskHandlers(std::span<const uint8_t> image, std::string& message) {
    HandlerAnswer answer;
    for (const ContainerHandler& handler : ContainerHandlers()) {
        answer.handler = &handler;
        answer.result = handler.ReadBlock(image, &answer.block, message);
        if (answer.result != BLOCK_ABSENT) {
            break;
        }
    }
    return answer;
}

} // namespace

bool LoadFromImage(ConfigDocument& doc, std::span<const uint8_t> image, std::string& message) {
    HandlerAnswer answer = AskHandlers(image, message);
    if (answer.result != BLOCK_FOUND) {
        return false;
    }
    if (answer.block.endianDetect == kEndianSwapped) {
        SwapConfigBlock(answer.block);
    }
    doc.block = answer.block;
    return true;
}

bool StoreToImage(const ConfigDocument& doc, std::span<const uint8_t> image, size_t capacity,
                  bool preservePhysicalAddress, ImagePatch& patch, std::string& message) {
    const HandlerAnswer answer = AskHandlers(image, message);
    if (answer.result != BLOCK_FOUND) {
        return false;
    }
    ConfigBlock copy = doc.block;
    if (answer.block.endianDetect == kEndianSwapped) {
        SwapConfigBlock(copy);
    }
    if (preservePhysicalAddress) {
        copy.physMemAddr = answer.block.physMemAddr; // as stored, in the file's own order
    }
    ImagePatch result;
    if (answer.handler->WriteBlock(copy, image, capacity, result, message) != BLOCK_FOUND) {
        return false;
    }
    patch = std::move(result);
    return true;
}

bool StoreToImage(const ConfigDocument& doc, std::vector<uint8_t>& image, size_t capacity,
                  bool preservePhysicalAddress, std::string& message) {
    ImagePatch patch;
    if (!StoreToImage(doc, std::span<const uint8_t>(image), capacity, preservePhysicalAddress,
                      patch, message)) {
        return false;
    }
    ApplyPatch(image, patch);
    return true;
}

} // namespace zlc

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
template <typename Read> HandlerAnswer AskHandlers(const Read& read) {
    HandlerAnswer answer;
    for (const ContainerHandler& handler : ContainerHandlers()) {
        answer.handler = &handler;
        answer.result = read(handler, answer.block);
        if (answer.result != BLOCK_ABSENT) {
            break;
        }
    }
    return answer;
}

// The document takes the block in its own byte order.
bool TakeBlock(ConfigDocument& doc, HandlerAnswer answer) {
    if (answer.result != BLOCK_FOUND) {
        return false;
    }
    if (answer.block.endianDetect == kEndianSwapped) {
        SwapConfigBlock(answer.block);
    }
    doc.block = answer.block;
    return true;
}

} // namespace

bool LoadFromImage(ConfigDocument& doc, std::span<const uint8_t> image, std::string& message) {
    return TakeBlock(doc, AskHandlers([&](const ContainerHandler& handler, ConfigBlock& block) {
                         return handler.ReadBlock(image, &block, message);
                     }));
}

bool LoadFromFile(ConfigDocument& doc, const platform::File& file, uint64_t size,
                  std::string& message, FileLayout* layout) {
    return TakeBlock(doc, AskHandlers([&](const ContainerHandler& handler, ConfigBlock& block) {
                         return handler.ReadFile(file, size, &block, message, layout);
                     }));
}

BlockForFile BlockWrittenInto(const ConfigDocument& doc, bool preservePhysicalAddress) {
    // The file's own block decides the byte order and, when asked, the
    // address; the document's block is copied, never changed.
    return [&doc, preservePhysicalAddress](const ConfigBlock& fileBlock) {
        ConfigBlock copy = doc.block;
        if (fileBlock.endianDetect == kEndianSwapped) {
            SwapConfigBlock(copy);
        }
        if (preservePhysicalAddress) {
            // Both addresses, as stored in the file's own order: a platform
            // decodes them as a pair, so keeping one alone makes a pair that
            // no address choice gives.
            copy.physMemAddr = fileBlock.physMemAddr;
            copy.physRegAddr = fileBlock.physRegAddr;
        }
        return copy;
    };
}

bool StoreToImage(const ConfigDocument& doc, std::span<const uint8_t> image, size_t capacity,
                  bool preservePhysicalAddress, ImagePatch& patch, std::string& message) {
    const BlockForFile makeBlock = BlockWrittenInto(doc, preservePhysicalAddress);
    // Each handler's write reads first, with the same answers as its
    // ReadBlock, so walking the chain with it finds the handler a load finds.
    message = kMessageNoConfigData;
    for (const ContainerHandler& handler : ContainerHandlers()) {
        ImagePatch result;
        const BlockResult answer = handler.WriteBlock(makeBlock, image, capacity, result, message);
        if (answer == BLOCK_ABSENT) {
            continue;
        }
        if (answer != BLOCK_FOUND) {
            return false;
        }
        patch = std::move(result);
        return true;
    }
    return false;
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

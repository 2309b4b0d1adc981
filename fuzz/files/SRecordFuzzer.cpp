#include "FuzzCommon.h"
#include "files/SRecordHandler.h"

namespace {

// Reading and planning a save from a file, a piece at a time, give what the
// whole image gives.
void CompareWithFileReads(std::span<const uint8_t> input) {
    const zlc::platform::File file = zlc::fuzz::InMemoryFile(input);
    std::string message;
    std::string fileMessage;
    zlc::ConfigBlock found{};
    zlc::ConfigBlock fromFile{};
    const zlc::BlockResult result = zlc::SRecordReadBlock(input, &found, message);
    zlc::fuzz::ExpectSameAnswer(result, message, found,
                                zlc::LocateSRecordBlockInFile(file, input.size(), &fromFile,
                                                              nullptr, fileMessage,
                                                              zlc::fuzz::PieceSize(input)),
                                fileMessage, fromFile);
    if (result != zlc::BLOCK_FOUND) {
        return;
    }
    const zlc::ConfigBlock changed = zlc::fuzz::ChangedBlock(found);
    const auto makeBlock = [&changed](const zlc::ConfigBlock&) { return changed; };
    const size_t capacity = input.size() + zlc::kGrowthReserve;
    zlc::ImagePatch patch;
    zlc::ImagePatch planned;
    const zlc::BlockResult written =
        zlc::SRecordWriteBlock(makeBlock, input, capacity, patch, message);
    if (zlc::SRecordPlanFileSave(makeBlock, file, input.size(), capacity, planned, fileMessage) !=
            written ||
        fileMessage != message) {
        std::abort();
    }
    std::vector<uint8_t> image(input.begin(), input.end());
    std::vector<uint8_t> viaFile = image;
    if (written == zlc::BLOCK_FOUND) {
        ApplyPatch(image, patch);
        if (!zlc::HoldRewrite(planned)) {
            std::abort();
        }
        ApplyPatch(viaFile, planned);
        if (image != viaFile) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zlc::fuzz::ReadWriteReread({data, size}, zlc::SRecordReadBlock, zlc::SRecordWriteBlock);
    CompareWithFileReads({data, size});
    return 0;
}

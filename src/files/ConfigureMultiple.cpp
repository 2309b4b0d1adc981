#include "files/ConfigureMultiple.h"

#include "base/Format.h"

namespace zlc {

namespace {

// The document as it goes into `file` when the file keeps its addresses: both
// of them, the display buffer's and the registers', since a platform decodes
// them as a pair. A file that cannot be read gets the document as it is, and
// its save reports why.
ConfigDocument WithAddressesOf(const ConfigDocument& doc, const std::string& file) {
    ConfigDocument own;
    ConfigDocument copy = doc;
    if (LoadConfigFile(own, file).ok) {
        copy.block.physMemAddr = own.block.physMemAddr;
        copy.block.physRegAddr = own.block.physRegAddr;
    }
    return copy;
}

} // namespace

ConfigureResult ConfigureFiles(const ConfigDocument& doc, std::span<const std::string> files,
                               bool preservePhysicalAddress,
                               const std::function<void(const FileOutcome&)>& onFailure,
                               const std::function<void(size_t done)>& onProgress) {
    ConfigureResult result;
    if (files.empty()) {
        result.summary = kMessageNoFilesSelected;
        return result;
    }
    result.configured = true;
    result.summary = kSummaryHeading;
    size_t done = 0;
    for (const std::string& file : files) {
        const FileOutcome outcome =
            preservePhysicalAddress
                ? SaveConfigFile(WithAddressesOf(doc, file), file, std::nullopt, true)
                : SaveConfigFile(doc, file, std::nullopt, false);
        if (!outcome.ok) {
            ++result.failures;
            if (onFailure) {
                onFailure(outcome);
            }
        }
        AppendFormat(result.summary, "%s\t%s\n", outcome.ok ? "OK" : "Error", file.c_str());
        ++done;
        if (onProgress) {
            onProgress(done);
        }
    }
    return result;
}

} // namespace zlc

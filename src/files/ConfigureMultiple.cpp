#include "files/ConfigureMultiple.h"

#include "base/Format.h"

namespace zlc {

ConfigureResult ConfigureFiles(const ConfigDocument& doc, std::span<const std::string> files,
                               bool preservePhysicalAddress,
                               const std::function<void(const FileOutcome&)>& onFailure,
                               const std::function<void(size_t done)>& onProgress,
                               const SaveConditions& conditions) {
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
            SaveConfigFile(doc, file, std::nullopt, preservePhysicalAddress, conditions);
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

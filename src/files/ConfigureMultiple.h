#pragma once

#include "files/ConfigFile.h"
#include "model/ConfigDocument.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zlc {

inline constexpr const char* kMessageNoFilesSelected = "ERROR: No files selected!";
inline constexpr const char* kSummaryHeading = "Summary of configured files:\n\n";

struct ConfigureResult {
    // False when there was nothing to configure; `summary` then holds the
    // warning to show instead.
    bool configured = false;
    size_t failures = 0;
    std::string summary;
};

// Saves the document into every file in place, in the order given, with the
// same preservePhysicalAddress for all; a file whose addresses are kept keeps
// both, its display buffer and its register address. A file that fails is reported through
// `onFailure` at once, with its own message, and the others are still saved.
// The summary lists every file; it has no length limit, so a long list is
// never cut short. `onProgress` hears how many files are done after each.
// Every save relies on `conditions`. Files are saved a few at a time, so that
// their syncs overlap; names of one file are saved one after the other, and
// every file is synced before the summary calls it OK. `onFailure` and
// `onProgress` are called on the caller's thread, in list order; the lock
// wait's onWaiting may come from a saving thread, and a caller that sets
// keepWaiting has its files saved on its own thread.
ConfigureResult ConfigureFiles(const ConfigDocument& doc, std::span<const std::string> files,
                               bool preservePhysicalAddress,
                               const std::function<void(const FileOutcome&)>& onFailure,
                               const std::function<void(size_t done)>& onProgress = {},
                               const SaveConditions& conditions = {});

} // namespace zlc

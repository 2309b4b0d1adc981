#pragma once

#include "cli/Cli.h"
#include "platform/FileLock.h"

namespace zlc::cli {

// Builds the document from the options, in order. Prints the reason on stderr
// and returns the exit status on failure; kExitOk on success. When the command
// saves the --in file, `lock` holds that file from its load on, so that no
// other save can come between the load and the save.
int BuildDocument(const DocumentOptions& options, ConfigDocument& doc, platform::FileLock& lock);

} // namespace zlc::cli

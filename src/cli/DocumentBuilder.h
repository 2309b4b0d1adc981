#pragma once

#include "cli/Cli.h"
#include "platform/FileLock.h"

namespace zlc::cli {

// How the command's saves wait for a lock: as long as --wait says, telling
// the user on stderr once the wait is noticeable.
platform::LockWait CommandLineLockWait(unsigned seconds);

// Builds the document from the options, in order. Prints the reason on stderr
// and returns the exit status on failure; kExitOk on success. When the command
// saves the --in file, `lock` holds that file from its load on, so that no
// other save can come between the load and the save, and `saving` learns the
// file as loaded, so that the save refuses when another program changed it.
int BuildDocument(const DocumentOptions& options, ConfigDocument& doc, platform::FileLock& lock,
                  SaveConditions& saving);

} // namespace zlc::cli

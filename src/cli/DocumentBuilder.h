#pragma once

#include "cli/Cli.h"

namespace zlc::cli {

// Builds the document from the options, in order. Prints the reason on stderr
// and returns the exit status on failure; kExitOk on success.
int BuildDocument(const DocumentOptions& options, ConfigDocument& doc);

} // namespace zlc::cli

#pragma once

namespace zlc::cli {

// The exit status of a finished command, once its results have reached
// standard output: a full disk or a closed output shows only when the
// buffered text is flushed, and then the command has failed after all
// (kExitFailed, with the reason on stderr).
int FinishStandardOutput(int status);

} // namespace zlc::cli

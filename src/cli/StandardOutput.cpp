#include "cli/StandardOutput.h"

#include "cli/Cli.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>

namespace zlc::cli {

int FinishStandardOutput(int status) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return status;
    }
    // A write that failed earlier left the error flag, and its errno is still
    // in place: nothing clears errno, and the later writes failed alike.
    const int error = errno != 0 ? errno : EIO;
    std::fprintf(stderr, "zlc62740: cannot write the output: %s\n",
                 platform::SystemErrorText(error).c_str());
    return kExitFailed;
}

} // namespace zlc::cli

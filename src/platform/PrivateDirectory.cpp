#include "platform/PrivateDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zlc::platform {

namespace {

constexpr mode_t kPrivateMode = 0700;

const char* AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : nullptr;
}

// The directory at `path` as it may be used, or the errno value that forbids
// it. lstat, so that a link planted in its place is seen as a link.
int CheckPrivate(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return errno;
    }
    if (S_ISLNK(status.st_mode)) {
        return ELOOP;
    }
    if (!S_ISDIR(status.st_mode)) {
        return ENOTDIR;
    }
    if (status.st_uid != ::geteuid()) {
        return EPERM;
    }
    if ((status.st_mode & 07777) != kPrivateMode && ::chmod(path.c_str(), kPrivateMode) != 0) {
        return errno;
    }
    return 0;
}

} // namespace

PrivateDirectory OpenPrivateDirectory(const std::string& base, const std::string& name) {
    PrivateDirectory directory{base + "/" + name, 0};
    std::error_code ignored;
    std::filesystem::create_directories(base, ignored);
    if (::mkdir(directory.path.c_str(), kPrivateMode) != 0 && errno != EEXIST) {
        directory.error = errno;
        return directory;
    }
    directory.error = CheckPrivate(directory.path);
    return directory;
}

std::string PrivateDirectoryBase() {
    if (const char* runtime = AbsoluteVariable("XDG_RUNTIME_DIR")) {
        return runtime;
    }
    if (const char* cache = AbsoluteVariable("XDG_CACHE_HOME")) {
        return cache;
    }
    if (const char* home = AbsoluteVariable("HOME")) {
        return std::string(home) + "/.cache";
    }
    // No home to speak of: a directory of our own under the shared one, which
    // the checks above keep private.
    return "/tmp";
}

} // namespace zlc::platform

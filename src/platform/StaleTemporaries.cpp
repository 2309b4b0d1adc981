#include "platform/StaleTemporaries.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlc::platform {

namespace {

// Takes the name out only while holding its lock, and only when the name
// still leads to the file locked.
void RemoveIfStale(int directoryFd, const char* name) {
    const int fd = ::openat(directoryFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(directoryFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
        ::unlinkat(directoryFd, name, 0);
    }
    ::close(fd);
}

} // namespace

bool HoldAsTemporary(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

void RemoveStaleTemporaries(const std::string& directory) {
    DIR* entries = ::opendir(directory.c_str());
    if (entries == nullptr) {
        return;
    }
    const size_t prefixLength = std::strlen(kTemporaryPrefix);
    while (const dirent* entry = ::readdir(entries)) {
        if (std::strncmp(entry->d_name, kTemporaryPrefix, prefixLength) == 0) {
            RemoveIfStale(::dirfd(entries), entry->d_name);
        }
    }
    ::closedir(entries);
}

} // namespace zlc::platform

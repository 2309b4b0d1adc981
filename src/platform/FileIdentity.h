#pragma once

#include <ctime>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace zlc::platform {

// What a file was when a program read it: which file (device and inode), its
// length and its last change. Another program's write, truncation or
// replacement changes one of them.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modification{};
};

FileIdentity IdentityOf(const struct stat& status);

// Whether `status` is the same file, unchanged.
bool IsUnchanged(const FileIdentity& identity, const struct stat& status);

// Whether `path` leads to the file `status` describes (device and inode),
// with the length it gives.
bool NameShows(const std::string& path, const struct stat& status);

} // namespace zlc::platform

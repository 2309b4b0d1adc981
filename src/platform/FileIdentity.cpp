#include "platform/FileIdentity.h"

#include "platform/SystemCalls.h"

namespace zlc::platform {

FileIdentity IdentityOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

bool IsUnchanged(const FileIdentity& identity, const struct stat& status) {
    return status.st_dev == identity.device && status.st_ino == identity.inode &&
           status.st_size == identity.size &&
           status.st_mtim.tv_sec == identity.modification.tv_sec &&
           status.st_mtim.tv_nsec == identity.modification.tv_nsec;
}

bool NameShows(const std::string& path, const struct stat& status) {
    struct stat named {};
    return Calls().stat(path.c_str(), &named) == 0 && named.st_dev == status.st_dev &&
           named.st_ino == status.st_ino && named.st_size == status.st_size;
}

} // namespace zlc::platform

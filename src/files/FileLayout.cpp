#include "files/FileLayout.h"

namespace zlc {

void FileLayout::DescribeFile(const struct stat& status) {
    file = platform::IdentityOf(status);
    statusChange = status.st_ctim;
}

bool FileLayout::Describes(const struct stat& status) const {
    return kind != Kind::Unknown && platform::IsUnchanged(file, status) &&
           status.st_ctim.tv_sec == statusChange.tv_sec &&
           status.st_ctim.tv_nsec == statusChange.tv_nsec;
}

} // namespace zlc

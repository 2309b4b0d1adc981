#include "platform/FileWriter.h"

#include "platform/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zlc::platform {

namespace {

constexpr const char* kTemporaryPrefix = ".zlc-save-";
constexpr int kMostLinksFollowed = 40; // as the kernel allows in one path

std::string DirectoryOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

// Where a chain of symbolic links at `path` leads; `path` itself when it is
// no link. The end need not exist.
std::string FollowLinks(std::string path, int& error) {
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return path;
            }
            error = errno;
            return {};
        }
        if (!S_ISLNK(status.st_mode)) {
            return path;
        }
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size() - 1);
        if (n < 0) {
            error = errno;
            return {};
        }
        const std::filesystem::path next(std::string(target.data(), static_cast<size_t>(n)));
        path = next.is_absolute() ? next.string() : (DirectoryOf(path) / next).string();
    }
    error = ELOOP;
    return {};
}

std::string FinalNameOf(const std::string& path, LinkAtName link, int& error) {
    if (link == LinkAtName::Follow) {
        return FollowLinks(path, error);
    }
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        error = ELOOP;
        return {};
    }
    return path;
}

mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string RandomTemporaryName(const std::string& directory) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static thread_local std::mt19937 generator{std::random_device{}()};
    std::string name = directory + "/" + kTemporaryPrefix;
    for (int i = 0; i < 6; ++i) {
        name += kLetters[generator() % (sizeof kLetters - 1)];
    }
    return name;
}

// Gives the unnamed file behind `fd` the name `name`; EEXIST when taken.
bool LinkUnnamed(int fd, const std::string& name, int& error) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
        return true; // no /proc: the privileged way
    }
    error = errno;
    return false;
}

// A rename is only lasting once the directory is on disk too. The new file is
// in place whether or not this succeeds, so a failure here is not the save's.
void SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        Calls().fsync(fd);
        ::close(fd);
    }
}

bool WriteIntoExisting(const std::string& path, std::span<const uint8_t> bytes, int& error) {
    int ignored = 0;
    File file = File::OpenForWriting(path, error);
    return file.IsOpen() && file.WriteAt(0, bytes, error) && (file.Sync(ignored), true);
}

} // namespace

NewFile::~NewFile() {
    Discard();
}

NewFile::NewFile(NewFile&& other) noexcept
    : content_(std::move(other.content_)), finalName_(std::move(other.finalName_)),
      directory_(std::move(other.directory_)),
      temporaryName_(std::exchange(other.temporaryName_, {})), options_(other.options_) {}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
    if (this != &other) {
        Discard();
        content_ = std::move(other.content_);
        finalName_ = std::move(other.finalName_);
        directory_ = std::move(other.directory_);
        temporaryName_ = std::exchange(other.temporaryName_, {});
        options_ = other.options_;
    }
    return *this;
}

NewFile NewFile::Begin(const std::string& path, const WriteOptions& options, int& error) {
    NewFile file;
    file.options_ = options;
    file.finalName_ = FinalNameOf(path, options.link, error);
    if (file.finalName_.empty()) {
        return {};
    }
    file.directory_ = DirectoryOf(file.finalName_);
    const int fd = ::open(file.directory_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) {
        file.content_ = File::FromDescriptor(fd);
        return file;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        error = errno;
        return {};
    }
    // A file system without unnamed files: a hidden name, removed on failure.
    std::string pattern = file.directory_ + "/" + kTemporaryPrefix + "XXXXXX";
    const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (named < 0) {
        error = errno;
        return {};
    }
    file.content_ = File::FromDescriptor(named);
    file.temporaryName_ = pattern;
    return file;
}

bool NewFile::GiveMetadata(int& error) {
    struct stat existing {};
    const bool replaces = ::stat(finalName_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (replaces && options_.keepOwnerAndGroup) {
        struct stat mine {};
        if (!content_.Status(mine, error)) {
            return false;
        }
        // Before the mode: a change of owner clears the set-id bits.
        if ((mine.st_uid != existing.st_uid || mine.st_gid != existing.st_gid) &&
            ::fchown(content_.Descriptor(), existing.st_uid, existing.st_gid) != 0) {
            error = errno;
            return false;
        }
    }
    const mode_t mode = options_.mode ? *options_.mode
                        : replaces    ? existing.st_mode & 07777
                                      : DefaultMode();
    return content_.SetMode(mode, error);
}

bool NewFile::LinkIn(int& error) {
    if (temporaryName_.empty()) {
        // Unnamed: straight to the final name when nothing is there yet.
        if (LinkUnnamed(content_.Descriptor(), finalName_, error)) {
            return true;
        }
        if (error != EEXIST) {
            return false;
        }
        do {
            temporaryName_ = RandomTemporaryName(directory_);
        } while (!LinkUnnamed(content_.Descriptor(), temporaryName_, error) && error == EEXIST);
        if (error != 0 && error != EEXIST) {
            temporaryName_.clear();
            return false;
        }
    }
    if (Calls().renameat(AT_FDCWD, temporaryName_.c_str(), AT_FDCWD, finalName_.c_str()) != 0) {
        error = errno;
        return false;
    }
    temporaryName_.clear();
    return true;
}

bool NewFile::Commit(int& error) {
    if (!content_.IsOpen()) {
        error = EBADF;
        return false;
    }
    error = 0;
    if (!GiveMetadata(error) || !content_.Sync(error) || !LinkIn(error)) {
        return false;
    }
    SyncDirectory(directory_);
    content_ = File();
    return true;
}

void NewFile::Discard() {
    if (!temporaryName_.empty()) {
        ::unlink(temporaryName_.c_str());
        temporaryName_.clear();
    }
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         const WriteOptions& options, int& error) {
    struct stat status {};
    const bool refuse = options.link == LinkAtName::Refuse;
    if ((refuse ? ::lstat(path.c_str(), &status) : ::stat(path.c_str(), &status)) == 0 &&
        !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode) && !S_ISLNK(status.st_mode)) {
        if (refuse) {
            error = EEXIST;
            return false;
        }
        return WriteIntoExisting(path, bytes, error);
    }
    NewFile file = NewFile::Begin(path, options, error);
    return file.IsOpen() && file.Content().WriteAt(0, bytes, error) && file.Commit(error);
}

bool CopyRange(const File& from, uint64_t fromOffset, uint64_t length, File& to, uint64_t toOffset,
               int& error) {
    const int in = from.Descriptor();
    const uint64_t end = fromOffset + length;
    uint64_t position = fromOffset;
    while (position < end) {
        off_t data = ::lseek(in, static_cast<off_t>(position), SEEK_DATA);
        if (data < 0 && errno == ENXIO) {
            return true; // only a hole is left
        }
        if (data < 0) {
            data = static_cast<off_t>(position); // no hole support: all is data
        }
        if (static_cast<uint64_t>(data) >= end) {
            return true;
        }
        off_t hole = ::lseek(in, data, SEEK_HOLE);
        const uint64_t stop = hole < 0 ? end : std::min<uint64_t>(end, static_cast<uint64_t>(hole));
        if (!to.CopyFrom(from, static_cast<uint64_t>(data), stop - static_cast<uint64_t>(data),
                         toOffset + (static_cast<uint64_t>(data) - fromOffset), error)) {
            return false;
        }
        position = stop;
    }
    return true;
}

} // namespace zlc::platform

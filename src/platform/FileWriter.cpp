#include "platform/FileWriter.h"

#include "platform/FileIdentity.h"
#include "platform/StaleTemporaries.h"
#include "platform/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zlc::platform {

namespace {

constexpr int kMostLinksFollowed = 40; // as the kernel allows in one path

std::string DirectoryOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

// Whether the kernel would follow the link `status` describes, found in
// `directory`: in a sticky directory that everyone may write, only a link of
// the user's own or of the directory's owner is followed, so that a link
// another user planted there cannot send a write elsewhere.
bool MayFollow(const std::string& directory, const struct stat& status) {
    struct stat parent {};
    if (::stat(directory.c_str(), &parent) != 0) {
        return false;
    }
    const bool shared = (parent.st_mode & S_ISVTX) != 0 && (parent.st_mode & S_IWOTH) != 0;
    return !shared || status.st_uid == ::geteuid() || status.st_uid == parent.st_uid;
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
        if (!MayFollow(DirectoryOf(path), status)) {
            error = kErrorProtectedLink;
            return {};
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

// The name the new content will have. Only a regular file, or no file at
// all, is ever replaced: a device node or FIFO at the name would be destroyed.
std::string FinalNameOf(const std::string& path, LinkAtName link, int& error) {
    struct stat status {};
    if (link == LinkAtName::Refuse && ::lstat(path.c_str(), &status) == 0 &&
        S_ISLNK(status.st_mode)) {
        error = ELOOP;
        return {};
    }
    std::string name = link == LinkAtName::Follow ? FollowLinks(path, error) : path;
    if (name.empty()) {
        return {};
    }
    if (::lstat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        error = S_ISDIR(status.st_mode) ? EISDIR : kErrorNotRegularFile;
        return {};
    }
    return name;
}

// The process's umask, read without setting it: saves run on several threads
// at once, and a umask set for a moment would widen what another creates.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
        }
    }
    // A kernel without the line: the only other way, for a single thread.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

mode_t DefaultMode() {
    return 0666 & ~CurrentUmask();
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

} // namespace

void SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        Calls().fsync(fd);
        ::close(fd);
    }
}

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
    RemoveStaleTemporaries(file.directory_);
    const int fd = ::open(file.directory_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) {
        HoldAsTemporary(fd); // before it has a name, so no other writer ever sees it unheld
        file.content_ = File::FromDescriptor(fd);
        return file;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        error = errno;
        return {};
    }
    // A file system without unnamed files: a hidden name, removed on failure.
    // Another writer may take a name for stale between its creation and its
    // lock; then it is made afresh.
    for (;;) {
        std::string pattern = file.directory_ + "/" + kTemporaryPrefix + "XXXXXX";
        const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (named < 0) {
            error = errno;
            return {};
        }
        File content = File::FromDescriptor(named);
        struct stat status {};
        if (HoldAsTemporary(named) && content.Status(status, error) && NameShows(pattern, status)) {
            file.content_ = std::move(content);
            file.temporaryName_ = pattern;
            return file;
        }
    }
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

bool NewFile::Commit(int& error, const std::function<bool()>& stillWanted) {
    if (!content_.IsOpen()) {
        error = EBADF;
        return false;
    }
    error = 0;
    struct stat written {};
    if (!GiveMetadata(error) || !content_.Sync(error) || !content_.Status(written, error)) {
        return false;
    }
    if (stillWanted && !stillWanted()) {
        error = kErrorChangedByOther;
        return false;
    }
    if (!LinkIn(error)) {
        return false;
    }
    SyncDirectory(directory_);
    content_ = File();
    // Another program may have put something else at the name meanwhile.
    if (!NameShows(finalName_, written)) {
        error = kErrorChangedByOther;
        return false;
    }
    return true;
}

void NewFile::Discard() {
    if (!temporaryName_.empty()) {
        ::unlink(temporaryName_.c_str());
        temporaryName_.clear();
    }
}

int OutputTargetError(const std::string& path, LinkAtName link) {
    int error = 0;
    return FinalNameOf(path, link, error).empty() ? error : 0;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         const WriteOptions& options, int& error) {
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

#include "platform/FileLock.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace zlc::platform {

namespace {

using FileKey = std::pair<dev_t, ino_t>;

// The locks this process holds: the descriptor that carries each, and how
// many FileLock objects share it. A flock belongs to an open file
// description, so locking the same file through a second descriptor would wait
// for this very process.
struct HeldLock {
    int fd = -1;
    int users = 0;
};

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<FileKey, HeldLock>& Registry() {
    static std::map<FileKey, HeldLock> registry;
    return registry;
}

// Tries the lock until it is free, the patience is spent or the waiting is
// called off. Polling rather than a blocking call, so that the wait can be
// told, timed and cancelled.
class Waiter {
  public:
    Waiter(const LockWait& wait, const std::string& path)
        : wait_(wait), path_(path), start_(std::chrono::steady_clock::now()) {}

    bool Lock(int fd, int& error) {
        auto pause = std::chrono::milliseconds(5);
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                return true;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                error = errno;
                return false;
            }
            const auto waited = std::chrono::steady_clock::now() - start_;
            if (waited >= wait_.patience) {
                error = kErrorLockTimeout;
                return false;
            }
            if (waited >= wait_.noticeAfter && !noticed_) {
                noticed_ = true;
                if (wait_.onWaiting) {
                    wait_.onWaiting(path_);
                }
            }
            if (noticed_ && wait_.keepWaiting && !wait_.keepWaiting()) {
                error = kErrorCancelled;
                return false;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::milliseconds(50));
        }
    }

  private:
    const LockWait& wait_;
    const std::string& path_;
    std::chrono::steady_clock::time_point start_;
    bool noticed_ = false;
};

// Whether `path` still names the file behind `fd`.
bool NameStillShows(const std::string& path, const struct stat& locked) {
    struct stat now {};
    return ::stat(path.c_str(), &now) == 0 && now.st_dev == locked.st_dev &&
           now.st_ino == locked.st_ino;
}

} // namespace

FileLock::~FileLock() {
    Release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : held_(std::exchange(other.held_, false)), device_(other.device_), inode_(other.inode_) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        held_ = std::exchange(other.held_, false);
        device_ = other.device_;
        inode_ = other.inode_;
    }
    return *this;
}

FileLock FileLock::Acquire(const std::string& path, const LockWait& wait, int& error) {
    Waiter waiter(wait, path); // one patience for every file locked on the way
    for (;;) {
        // Non-blocking only for the open: a FIFO must not hang the caller.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) {
            error = errno;
            return {};
        }
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            error = errno;
            ::close(fd);
            return {};
        }
        FileLock lock;
        lock.device_ = status.st_dev;
        lock.inode_ = status.st_ino;
        {
            const std::lock_guard guard(RegistryMutex());
            auto held = Registry().find({status.st_dev, status.st_ino});
            if (held != Registry().end()) {
                ++held->second.users;
                ::close(fd);
                lock.held_ = true;
                return lock;
            }
        }
        if (!waiter.Lock(fd, error)) {
            ::close(fd);
            return {};
        }
        if (!NameStillShows(path, status)) {
            ::close(fd); // replaced while we waited: lock what is there now
            continue;
        }
        const std::lock_guard guard(RegistryMutex());
        Registry()[{status.st_dev, status.st_ino}] = {fd, 1};
        lock.held_ = true;
        return lock;
    }
}

void FileLock::Release() {
    if (!held_) {
        return;
    }
    held_ = false;
    const std::lock_guard guard(RegistryMutex());
    auto held = Registry().find({device_, inode_});
    if (held != Registry().end() && --held->second.users == 0) {
        ::close(held->second.fd); // closing the last descriptor drops the flock
        Registry().erase(held);
    }
}

} // namespace zlc::platform

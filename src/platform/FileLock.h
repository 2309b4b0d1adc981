#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>

namespace zlc::platform {

// How long a lock is waited for, and who hears of the wait. A program that
// holds a file for long (or was stopped while holding it) must not keep a
// save waiting silently for ever.
struct LockWait {
    std::chrono::milliseconds patience{30000};   // then kErrorLockTimeout
    std::chrono::milliseconds noticeAfter{1000}; // then onWaiting is called, once
    std::function<void(const std::string& path)> onWaiting;
    // Asked between tries once the wait is noticed; false gives up at once
    // (kErrorCancelled). A user interface keeps its window alive here.
    std::function<bool()> keepWaiting;
};

// An exclusive advisory lock on one file, held while the object lives. Every
// program of the suite takes it before it reads a file it is going to save and
// keeps it until its last write, so two saves of one file run one after the
// other. Within one process a second lock on a file already locked shares the
// first instead of waiting for itself, so a command that loads a file and then
// saves it holds the lock from the load to the save.
class FileLock {
  public:
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits for the lock on the file `path` names (following links), as
    // `wait` says. A file that another program put in the place of the one
    // locked meanwhile is locked afresh, so the lock always belongs to what
    // the name shows.
    static FileLock Acquire(const std::string& path, const LockWait& wait, int& error);
    static FileLock Acquire(const std::string& path, int& error) {
        return Acquire(path, LockWait{}, error);
    }

    bool IsHeld() const { return held_; }

  private:
    void Release();

    bool held_ = false;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

} // namespace zlc::platform

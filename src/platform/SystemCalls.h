#pragma once

#include <sys/stat.h>
#include <sys/types.h>

// The few system calls whose failure decides whether a file keeps its old
// content or gets its new one. They are called through this table so that a
// test can make one of them fail and watch the file survive it; the program
// itself never changes the table.
namespace zlc::platform {

struct SystemCalls {
    int (*fsync)(int fd);
    ssize_t (*pwrite)(int fd, const void* bytes, size_t count, off_t offset);
    int (*renameat)(int fromDirectory, const char* from, int toDirectory, const char* to);
    int (*stat)(const char* path, struct stat* status);
};

// The table in use: the system's own calls unless a test swapped one.
SystemCalls& Calls();

// Puts the system's own calls back when it goes, whatever a test changed.
class RestoreSystemCalls {
  public:
    RestoreSystemCalls();
    ~RestoreSystemCalls();
    RestoreSystemCalls(const RestoreSystemCalls&) = delete;
    RestoreSystemCalls& operator=(const RestoreSystemCalls&) = delete;

  private:
    SystemCalls saved_;
};

} // namespace zlc::platform

#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <span>
#include <string>
#include <sys/stat.h>

// The file services the configuration utility relies on, over POSIX. Every
// operation reports failure as an errno value; SystemErrorText turns it into
// the text shown to the user.
namespace zlc::platform {

// Refusals of this layer's own, reported like errno values; their texts come
// from SystemErrorText as the system's do. They lie far above any errno.
inline constexpr int kErrorNotRegularFile = 100001;
inline constexpr int kErrorProtectedLink = 100002;
inline constexpr int kErrorLockTimeout = 100003;
inline constexpr int kErrorCancelled = 100004;
inline constexpr int kErrorChangedByOther = 100005;

inline constexpr const char* kTextNotRegularFile = "The file is not a regular file.";
inline constexpr const char* kTextChangedByOther =
    "The file was changed by another program while it was being saved.";

// The operating system's own text for an errno value, or this layer's for its
// own refusals.
std::string SystemErrorText(int error);

// Access and modification time. Creation time cannot be set on Linux, so these
// two are what a failed save puts back.
struct FileTimes {
    timespec access{};
    timespec modification{};
};

// The bytes of a whole file, read once. Reading rather than mapping keeps a
// file that another program shortens meanwhile from bringing the process down.
class FileBytes {
  public:
    FileBytes() = default;
    explicit FileBytes(size_t size);

    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }
    size_t size() const { return size_; }
    std::span<const uint8_t> span() const { return {data_.get(), size_}; }

  private:
    std::unique_ptr<uint8_t[]> data_;
    size_t size_ = 0;
};

// An open file descriptor, closed when the object goes.
class File {
  public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing file. Neither call creates a file, blocks on a FIFO
    // or changes the file's access time where the system allows it.
    static File OpenForReading(const std::string& path, int& error);
    static File OpenForReadWrite(const std::string& path, int& error);
    // Opens an existing file for writing without creating or truncating it.
    static File OpenForWriting(const std::string& path, int& error);
    // Takes over a descriptor opened elsewhere in this layer.
    static File FromDescriptor(int fd) { return File(fd); }

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }

    bool Status(struct stat& status, int& error) const;
    // Reads exactly `out.size()` bytes at `offset`; a file shorter than that
    // fails with EIO.
    bool ReadAt(uint64_t offset, std::span<uint8_t> out, int& error) const;
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes, int& error);
    // Sets the length, cutting or extending with zero bytes.
    bool SetLength(uint64_t length, int& error);
    // Reserves disk space up to `length`, so that writing there cannot run out
    // of space. Where the file system cannot reserve, this succeeds quietly.
    bool Reserve(uint64_t length, int& error);
    bool Sync(int& error);
    // Copies `length` bytes of `from` at `fromOffset` to `toOffset` of this
    // file, inside the kernel where it can.
    bool CopyFrom(const File& from, uint64_t fromOffset, uint64_t length, uint64_t toOffset,
                  int& error);
    bool SetMode(mode_t mode, int& error);

    bool GetTimes(FileTimes& times, int& error) const;
    bool SetTimes(const FileTimes& times, int& error);
    bool SetTimesToNow(int& error);

    // Reads the whole file of `size` bytes.
    bool ReadAll(size_t size, FileBytes& bytes, int& error) const;

  private:
    explicit File(int fd) : fd_(fd) {}
    bool CopyThroughBuffer(const File& from, uint64_t fromOffset, uint64_t length,
                           uint64_t toOffset, int& error);
    int fd_ = -1;
};

// Reads the whole of a small file, whatever kind (a pipe or device too),
// stopping at `limit` bytes: more than that fails with EFBIG, a directory
// with EISDIR.
bool ReadSmallFile(const std::string& path, size_t limit, std::string& text, int& error);

// The read-only attribute: a file that nobody may write. The permission bits
// decide, not the caller's rights, so the rule holds for a privileged user too.
bool IsReadOnly(const struct stat& status);

// Whether two paths name the same file (same device and inode). False when
// either cannot be examined.
bool IsSameFile(const std::string& a, const std::string& b);

// The directory holding the running program, without a trailing slash;
// empty when it cannot be found.
std::string ProgramDirectory();

// Takes a name out of its directory (unlink); the file goes when its last
// name and descriptor do.
bool RemoveFile(const std::string& path, int& error);

// $TMPDIR when set and not empty, else /tmp; without a trailing slash.
std::string TemporaryDirectory();

} // namespace zlc::platform

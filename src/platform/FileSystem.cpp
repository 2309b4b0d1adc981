#include "platform/FileSystem.h"

#include "platform/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace zlc::platform {

namespace {

// O_NOATIME is refused for files the caller does not own; such files are then
// opened the ordinary way.
int OpenExisting(const std::string& path, int access) {
    const int flags = access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    int fd = ::open(path.c_str(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM) {
        fd = ::open(path.c_str(), flags);
    }
    if (fd >= 0) {
        // Non-blocking was only wanted for the open itself (a FIFO).
        const int current = ::fcntl(fd, F_GETFL);
        if (current >= 0) {
            ::fcntl(fd, F_SETFL, current & ~O_NONBLOCK);
        }
    }
    return fd;
}

} // namespace

std::string SystemErrorText(int error) {
    switch (error) {
    case kErrorNotRegularFile:
        return kTextNotRegularFile;
    case kErrorProtectedLink:
        return "The name is a link that another user made in a shared directory.";
    case kErrorLockTimeout:
        return "Another program is still using the file.";
    case kErrorCancelled:
        return "The save was cancelled.";
    case kErrorChangedByOther:
        return kTextChangedByOther;
    default:
        return std::strerror(error);
    }
}

FileBytes::FileBytes(size_t size)
    : data_(std::make_unique_for_overwrite<uint8_t[]>(size == 0 ? 1 : size)), size_(size) {}

File::~File() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

File::File(File&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

File File::OpenForReading(const std::string& path, int& error) {
    const int fd = OpenExisting(path, O_RDONLY);
    error = fd < 0 ? errno : 0;
    return File(fd);
}

File File::OpenForReadWrite(const std::string& path, int& error) {
    const int fd = OpenExisting(path, O_RDWR);
    error = fd < 0 ? errno : 0;
    return File(fd);
}

File File::OpenForWriting(const std::string& path, int& error) {
    const int fd = OpenExisting(path, O_WRONLY);
    error = fd < 0 ? errno : 0;
    return File(fd);
}

bool File::Status(struct stat& status, int& error) const {
    if (::fstat(fd_, &status) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool File::ReadAt(uint64_t offset, std::span<uint8_t> out, int& error) const {
    size_t done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            return false;
        }
        if (n == 0) {
            error = EIO; // the file became shorter while it was read
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool File::WriteAt(uint64_t offset, std::span<const uint8_t> bytes, int& error) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = Calls().pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                         static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            return false;
        }
        if (n == 0) {
            error = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool File::SetLength(uint64_t length, int& error) {
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool File::Reserve(uint64_t length, int& error) {
    struct stat status {};
    if (!Status(status, error)) {
        return false;
    }
    const uint64_t current = static_cast<uint64_t>(status.st_size);
    if (length <= current) {
        return true;
    }
    const int result =
        ::posix_fallocate(fd_, static_cast<off_t>(current), static_cast<off_t>(length - current));
    if (result == 0 || result == EOPNOTSUPP || result == EINVAL) {
        return true;
    }
    error = result;
    return false;
}

bool File::Sync(int& error) {
    if (Calls().fsync(fd_) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool File::CopyFrom(const File& from, uint64_t fromOffset, uint64_t length, uint64_t toOffset,
                    int& error) {
    loff_t in = static_cast<loff_t>(fromOffset);
    loff_t out = static_cast<loff_t>(toOffset);
    uint64_t left = length;
    while (left > 0) {
        const ssize_t n = ::copy_file_range(from.fd_, &in, fd_, &out, left, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            return CopyThroughBuffer(from, static_cast<uint64_t>(in), left,
                                     static_cast<uint64_t>(out), error);
        }
        if (n < 0) {
            error = errno;
            return false;
        }
        if (n == 0) {
            error = EIO; // the source became shorter
            return false;
        }
        left -= static_cast<uint64_t>(n);
    }
    return true;
}

bool File::CopyThroughBuffer(const File& from, uint64_t fromOffset, uint64_t length,
                             uint64_t toOffset, int& error) {
    std::vector<uint8_t> buffer(std::min<uint64_t>(length, 1u << 20));
    for (uint64_t done = 0; done < length;) {
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(buffer.size(), length - done));
        if (!from.ReadAt(fromOffset + done, {buffer.data(), piece}, error) ||
            !WriteAt(toOffset + done, {buffer.data(), piece}, error)) {
            return false;
        }
        done += piece;
    }
    return true;
}

bool File::SetMode(mode_t mode, int& error) {
    if (::fchmod(fd_, mode) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool File::GetTimes(FileTimes& times, int& error) const {
    struct stat status {};
    if (!Status(status, error)) {
        return false;
    }
    times.access = status.st_atim;
    times.modification = status.st_mtim;
    return true;
}

bool File::SetTimes(const FileTimes& times, int& error) {
    const timespec both[2] = {times.access, times.modification};
    if (::futimens(fd_, both) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool File::SetTimesToNow(int& error) {
    const timespec now[2] = {{0, UTIME_NOW}, {0, UTIME_NOW}};
    if (::futimens(fd_, now) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool File::ReadAll(size_t size, FileBytes& bytes, int& error) const {
    FileBytes buffer(size);
    if (!ReadAt(0, {buffer.data(), size}, error)) {
        return false;
    }
    bytes = std::move(buffer);
    return true;
}

bool ReadSmallFile(const std::string& path, size_t limit, std::string& text, int& error) {
    const File file = File::OpenForReading(path, error);
    struct stat status {};
    if (!file.IsOpen() || !file.Status(status, error)) {
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        error = EISDIR;
        return false;
    }
    // One byte past the limit tells a file that is too long; read() rather
    // than pread(), as pipes have no offsets.
    std::string content(limit + 1, '\0');
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::read(file.Descriptor(), content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = errno;
            return false;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (done > limit) {
        error = EFBIG;
        return false;
    }
    content.resize(done);
    text = std::move(content);
    return true;
}

bool IsReadOnly(const struct stat& status) {
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) {
        return false;
    }
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool RemoveFile(const std::string& path, int& error) {
    if (::unlink(path.c_str()) != 0) {
        error = errno;
        return false;
    }
    return true;
}

std::string ProgramDirectory() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return {};
    }
    return std::filesystem::path(std::string(buffer.data(), static_cast<size_t>(n)))
        .parent_path()
        .string();
}

std::string TemporaryDirectory() {
    const char* fromEnvironment = std::getenv("TMPDIR");
    if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
        // "/tmp/" names the directory "/tmp"; the root stays "/".
        const std::filesystem::path directory(fromEnvironment);
        return (directory.has_filename() ? directory : directory.parent_path()).string();
    }
    return "/tmp";
}

} // namespace zlc::platform

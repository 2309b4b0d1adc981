#include "platform/RollbackJournal.h"

#include "platform/FileWriter.h"
#include "platform/PrivateDirectory.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zlc::platform {

namespace {

constexpr char kMagic[8] = {'Z', 'L', 'C', 'J', 'R', 'N', 'L', '1'};
// The bytes just before the first one overwritten never change in a
// rewrite; they tell the file the journal was made for from another that
// took its inode since.
constexpr uint64_t kGuardLength = 4096;

struct Header {
    char magic[8];
    uint64_t oldLength;
    uint64_t newLength;
    uint64_t offset;
    uint64_t guard;
};

constexpr const char* kDirectoryName = "zlc62740";

// Where journals are written; made on first use.
std::string JournalDirectory(int& error) {
    const PrivateDirectory directory = OpenPrivateDirectory(PrivateDirectoryBase(), kDirectoryName);
    error = directory.error;
    return directory.error == 0 ? directory.path : std::string();
}

// Where journals are looked for, without making anything: only a directory
// of the user's own that nobody else may enter, since its journals are
// written into the user's files.
std::string ExistingJournalDirectory() {
    const std::string path = PrivateDirectoryBase() + "/" + kDirectoryName;
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid() || (status.st_mode & 077) != 0) {
        return {};
    }
    return path;
}

std::string JournalName(const std::string& directory, const struct stat& status) {
    return directory + "/journal-" + std::to_string(status.st_dev) + "-" +
           std::to_string(status.st_ino);
}

// FNV-1a over the guard bytes before `offset`.
bool GuardOf(const File& file, uint64_t offset, uint64_t& guard, int& error) {
    const uint64_t start = offset > kGuardLength ? offset - kGuardLength : 0;
    std::vector<uint8_t> bytes(static_cast<size_t>(offset - start));
    if (!file.ReadAt(start, bytes, error)) {
        return false;
    }
    guard = 14695981039346656037ull;
    for (const uint8_t byte : bytes) {
        guard = (guard ^ byte) * 1099511628211ull;
    }
    return true;
}

// Whether the journal was made for `file` as it is now: a rewrite stopped
// half-way leaves a length between the old and the new one.
bool Fits(const Header& header, uint64_t journalLength, const File& file,
          const struct stat& status) {
    const uint64_t size = static_cast<uint64_t>(status.st_size);
    uint64_t guard = 0;
    int ignored = 0;
    return std::memcmp(header.magic, kMagic, sizeof kMagic) == 0 &&
           header.offset <= header.oldLength &&
           journalLength == sizeof header + (header.oldLength - header.offset) &&
           size >= std::min(header.oldLength, header.newLength) &&
           size <= std::max(header.oldLength, header.newLength) && header.offset <= size &&
           GuardOf(file, header.offset, guard, ignored) && guard == header.guard;
}

void RemoveJournal(const std::string& path) {
    if (::unlink(path.c_str()) == 0) {
        SyncDirectory(path.substr(0, path.rfind('/')));
    }
}

} // namespace

RollbackJournal::RollbackJournal(RollbackJournal&& other) noexcept
    : path_(std::exchange(other.path_, {})) {}

RollbackJournal& RollbackJournal::operator=(RollbackJournal&& other) noexcept {
    path_ = std::exchange(other.path_, {});
    return *this;
}

RollbackJournal RollbackJournal::Write(const File& file, uint64_t offset, uint64_t newLength,
                                       int& error) {
    struct stat status {};
    if (!file.Status(status, error)) {
        return {};
    }
    const std::string directory = JournalDirectory(error);
    if (directory.empty()) {
        return {};
    }
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.oldLength = static_cast<uint64_t>(status.st_size);
    header.newLength = newLength;
    header.offset = std::min(offset, header.oldLength);
    if (!GuardOf(file, header.offset, header.guard, error)) {
        return {};
    }
    WriteOptions options;
    options.link = LinkAtName::Refuse;
    options.mode = 0600;
    options.keepOwnerAndGroup = false;
    const std::string path = JournalName(directory, status);
    NewFile journal = NewFile::Begin(path, options, error);
    const uint64_t saved = header.oldLength - header.offset;
    if (!journal.IsOpen() ||
        !journal.Content().WriteAt(0, {reinterpret_cast<const uint8_t*>(&header), sizeof header},
                                   error) ||
        !CopyRange(file, header.offset, saved, journal.Content(), sizeof header, error) ||
        !journal.Content().SetLength(sizeof header + saved, error) || !journal.Commit(error)) {
        return {};
    }
    RollbackJournal written;
    written.path_ = path;
    return written;
}

void RollbackJournal::Remove() {
    if (!path_.empty()) {
        RemoveJournal(path_);
        path_.clear();
    }
}

bool HasRollbackJournal(const struct stat& status) {
    const std::string directory = ExistingJournalDirectory();
    struct stat journal {};
    return !directory.empty() && ::lstat(JournalName(directory, status).c_str(), &journal) == 0;
}

bool RollBackUnfinishedRewrite(File& file, Rollback& done, int& error) {
    done = Rollback::None;
    struct stat status {};
    if (!file.Status(status, error)) {
        return false;
    }
    const std::string directory = ExistingJournalDirectory();
    if (directory.empty()) {
        return true; // no private directory: no journal either
    }
    const std::string path = JournalName(directory, status);
    const File journal = File::OpenForReading(path, error);
    if (!journal.IsOpen()) {
        error = 0;
        return true;
    }
    Header header{};
    struct stat journalStatus {};
    if (!journal.Status(journalStatus, error) ||
        !journal.ReadAt(0, {reinterpret_cast<uint8_t*>(&header), sizeof header}, error) ||
        !Fits(header, static_cast<uint64_t>(journalStatus.st_size), file, status)) {
        RemoveJournal(path); // not this file's, or not as the file is now
        error = 0;
        return true;
    }
    if (!file.CopyFrom(journal, sizeof header, header.oldLength - header.offset, header.offset,
                       error) ||
        !file.SetLength(header.oldLength, error) || !file.Sync(error)) {
        return false; // the journal stays for the next try
    }
    RemoveJournal(path);
    done = Rollback::Restored;
    return true;
}

} // namespace zlc::platform

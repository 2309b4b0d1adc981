#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>

// A file that must be rewritten where it lies (it has other hard links, or
// its directory may not be written) cannot be replaced in one step. Before
// such a rewrite changes its first byte, the bytes it will overwrite go into
// a journal of their own, synced to disk, in the user's private directory
// and named after the file's device and inode. A rewrite that finishes
// removes its journal; one that is stopped half-way leaves it, and whoever
// opens the file next puts the old bytes back.
namespace zlc::platform {

class RollbackJournal {
  public:
    RollbackJournal() = default;
    RollbackJournal(RollbackJournal&& other) noexcept;
    RollbackJournal& operator=(RollbackJournal&& other) noexcept;
    RollbackJournal(const RollbackJournal&) = delete;
    RollbackJournal& operator=(const RollbackJournal&) = delete;
    // A journal still written when the object goes stays on disk: that is
    // what it is for.
    ~RollbackJournal() = default;

    // Records the bytes of `file` from `offset` to its end, and the length
    // `newLength` the rewrite will give it, and syncs the record.
    static RollbackJournal Write(const File& file, uint64_t offset, uint64_t newLength, int& error);

    bool IsWritten() const { return !path_.empty(); }

    // The rewrite is on disk (or was undone): the journal goes.
    void Remove();

  private:
    std::string path_;
};

// Whether a journal of the file that `status` describes is waiting.
bool HasRollbackJournal(const struct stat& status);

enum class Rollback { None, Restored };

// Puts back the old bytes and length of `file` (open for reading and
// writing, its lock held) from its journal, then removes the journal. A
// journal that does not fit the file as it is now (another file took the
// inode, or it was changed since) is removed without touching the file.
bool RollBackUnfinishedRewrite(File& file, Rollback& done, int& error);

} // namespace zlc::platform

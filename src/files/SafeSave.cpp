#include "files/SafeSave.h"

#include "files/BlockSearch.h"
#include "files/ContainerHandlers.h"
#include "files/DocumentImage.h"
#include "files/FilePieces.h"
#include "files/PrcHandler.h"
#include "files/SRecordHandler.h"
#include "platform/FileWriter.h"
#include "platform/RollbackJournal.h"
#include "platform/SystemCalls.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace zlc {

namespace {

using platform::File;

constexpr uint64_t kPage = 4096;

} // namespace

bool OpenFileUnchanged(const File& file, const platform::FileIdentity& identity) {
    struct stat opened {};
    int error = 0;
    return file.Status(opened, error) && platform::IsUnchanged(identity, opened);
}

bool StillTheFileRead(const std::string& path, const File& file,
                      const platform::FileIdentity& identity) {
    struct stat opened {};
    int error = 0;
    return file.Status(opened, error) && platform::IsUnchanged(identity, opened) &&
           platform::NameShows(path, opened);
}

bool RecoverUnfinishedSave(const std::string& path, const platform::LockWait& wait, bool& restored,
                           int& error) {
    restored = false;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
        !platform::HasRollbackJournal(status)) {
        return true; // the load or save itself reports what is wrong with the name
    }
    const platform::FileLock lock = platform::FileLock::Acquire(path, wait, error);
    if (!lock.IsHeld()) {
        return false;
    }
    File file = File::OpenForReadWrite(path, error);
    platform::Rollback done = platform::Rollback::None;
    if (!file.IsOpen() || !platform::RollBackUnfinishedRewrite(file, done, error)) {
        return false;
    }
    restored = done == platform::Rollback::Restored;
    return true;
}

namespace {

// The plan from what a load noted of this very file: BLOCK_FOUND with the
// patch, BLOCK_ERROR with the message, BLOCK_ABSENT when the file does not
// hold the block where the load found it and must be searched again.
BlockResult PlanFromLayout(const BlockForFile& makeBlock, const File& file, uint64_t size,
                           const FileLayout& known, ImagePatch& patch, std::string& message) {
    if (known.kind == FileLayout::Kind::SRecord) {
        return SRecordPlanFromLayout(makeBlock, file, size, size + kGrowthReserve, known, patch,
                                     message);
    }
    std::array<uint8_t, kConfigBlockSize> expected{};
    ConfigBlockToBytes(known.found, expected.data());
    std::array<uint8_t, kConfigBlockSize> there{};
    int error = 0;
    if (known.blockOffset + kConfigBlockSize > size ||
        !file.ReadAt(known.blockOffset, there, error) || there != expected) {
        return BLOCK_ABSENT;
    }
    RawBlockPatch(makeBlock(known.found), known.blockOffset, size, patch);
    return BLOCK_FOUND;
}

} // namespace

bool PlanSave(const ConfigDocument& doc, const File& file, const struct stat& status,
              bool preservePhysicalAddress, const FileLayout& known, ImagePatch& patch,
              std::string& message) {
    const uint64_t size = static_cast<uint64_t>(status.st_size);
    const BlockForFile makeBlock = BlockWrittenInto(doc, preservePhysicalAddress);
    if (known.Describes(status)) {
        const BlockResult planned = PlanFromLayout(makeBlock, file, size, known, patch, message);
        if (planned != BLOCK_ABSENT) {
            return planned == BLOCK_FOUND;
        }
    }
    // The raw handler comes first in the chain and answers from the block
    // search alone, so searching the file here gives the chain's answer.
    ConfigBlock found{};
    uint64_t offset = 0;
    const BlockResult raw =
        LocateConfigBlockInFile(file, size, &found, &offset, message, kFilePieceSize);
    if (raw == BLOCK_FOUND) {
        RawBlockPatch(makeBlock(found), offset, size, patch);
        return true;
    }
    if (raw == BLOCK_ERROR) {
        return false;
    }
    // A resource database is rebuilt in memory: its data resource is at most
    // 64 KiB, and such databases are small.
    if (PrcReadFile(file, size, nullptr, message) != BLOCK_ABSENT) {
        platform::FileBytes bytes;
        int error = 0;
        if (!file.ReadAll(static_cast<size_t>(size), bytes, error)) {
            message = platform::SystemErrorText(error);
            return false;
        }
        return StoreToImage(doc, bytes.span(), static_cast<size_t>(size) + kGrowthReserve,
                            preservePhysicalAddress, patch, message);
    }
    return SRecordPlanFileSave(makeBlock, file, size, size + kGrowthReserve, patch, message) ==
           BLOCK_FOUND;
}

bool ChangesNothing(const ImagePatch& patch, uint64_t size) {
    return !patch.rewrite && patch.bytes.empty() && patch.length == size;
}

bool FitsOnePage(const ImagePatch& patch, uint64_t size) {
    if (patch.rewrite) {
        return false;
    }
    if (patch.length != size || patch.bytes.empty()) {
        return patch.length == size;
    }
    const uint64_t last = patch.offset + patch.bytes.size() - 1;
    return patch.offset / kPage == last / kPage;
}

bool PatchInPlace(File& file, const ImagePatch& patch, uint64_t size,
                  const platform::FileTimes& times, int& error) {
    if (patch.rewrite) {
        // Written where it lies, the new content must be at hand whole.
        ImagePatch held = patch;
        if (!HoldRewrite(held)) {
            error = EIO;
            return false;
        }
        return PatchInPlace(file, held, size, times, error);
    }
    // The bytes that the write covers, to be put back: to the old end when the
    // length changes, as cutting the file loses the old tail.
    const uint64_t savedEnd = patch.length == size ? patch.offset + patch.bytes.size()
                                                   : std::max<uint64_t>(size, patch.offset);
    std::vector<uint8_t> old(static_cast<size_t>(savedEnd - patch.offset));
    if (!file.ReadAt(patch.offset, old, error)) {
        return false;
    }
    platform::RollbackJournal journal;
    if (!FitsOnePage(patch, size)) {
        journal = platform::RollbackJournal::Write(file, patch.offset, patch.length, error);
        if (!journal.IsWritten()) {
            return false;
        }
    }
    if ((patch.length <= size || file.Reserve(patch.length, error)) &&
        file.WriteAt(patch.offset, patch.bytes, error) &&
        (patch.length == size || file.SetLength(patch.length, error)) && file.Sync(error)) {
        journal.Remove();
        return true;
    }
    int undo = 0;
    if (file.WriteAt(patch.offset, old, undo) && file.SetLength(size, undo) && file.Sync(undo)) {
        journal.Remove();
    }
    int ignored = 0;
    file.SetTimes(times, ignored);
    return false;
}

bool WritePatchedCopy(const File& source, const ImagePatch& patch, File& to, int& error) {
    if (patch.rewrite) {
        // Pieces may come from several threads: the first failure is kept.
        std::mutex failure;
        error = 0;
        const bool written = patch.rewrite([&](uint64_t at, std::span<const uint8_t> piece) {
            int writeError = 0;
            if (to.WriteAt(at, piece, writeError)) {
                return true;
            }
            const std::lock_guard<std::mutex> lock(failure);
            error = error == 0 ? writeError : error;
            return false;
        });
        if (!written && error == 0) {
            error = EIO;
        }
        return written && to.SetLength(patch.length, error);
    }
    const uint64_t end = patch.offset + patch.bytes.size();
    return platform::CopyRange(source, 0, patch.offset, to, 0, error) &&
           to.WriteAt(patch.offset, patch.bytes, error) &&
           (end >= patch.length ||
            platform::CopyRange(source, end, patch.length - end, to, end, error)) &&
           to.SetLength(patch.length, error);
}

} // namespace zlc

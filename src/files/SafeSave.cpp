#include "files/SafeSave.h"

#include "files/BlockSearch.h"
#include "files/ContainerHandlers.h"
#include "files/DocumentImage.h"
#include "platform/FileWriter.h"
#include "platform/RollbackJournal.h"
#include "platform/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <vector>

namespace zlc {

namespace {

using platform::File;

constexpr uint64_t kPage = 4096;
constexpr uint64_t kPieceSize = 4u << 20;

// Scans [begin, end) of the file's block starts, a piece at a time.
bool ScanRange(const File& file, uint64_t size, uint64_t begin, uint64_t end, BlockScanner& scanner,
               std::vector<uint8_t>& piece, int& error) {
    for (uint64_t start = begin; start < end; start += kPieceSize) {
        const uint64_t lastStart = std::min(start + kPieceSize, end) - 1;
        const uint64_t pieceEnd = std::min(lastStart + kConfigBlockSize, size);
        piece.resize(static_cast<size_t>(pieceEnd - start));
        if (!file.ReadAt(start, piece, error)) {
            return false;
        }
        if (!scanner.Examine(piece, start, start, lastStart)) {
            return true;
        }
    }
    return true;
}

// LocateConfigBlock over the whole file. A block begins with its identifier,
// never with a zero byte, so only starts inside ranges that hold data are
// examined; the bytes after a start may lie in a hole and are read as zeros.
bool LocateRawBlock(const File& file, uint64_t size, BlockScanner& scanner, int& error) {
    if (size < kConfigBlockSize) {
        return true;
    }
    const uint64_t startsEnd = size - kConfigBlockSize + 1;
    std::vector<uint8_t> piece;
    uint64_t position = 0;
    while (position < startsEnd) {
        off_t data = ::lseek(file.Descriptor(), static_cast<off_t>(position), SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) {
                return true;
            }
            data = static_cast<off_t>(position);
        }
        const off_t hole = ::lseek(file.Descriptor(), data, SEEK_HOLE);
        const uint64_t end =
            std::min(startsEnd, hole < 0 ? startsEnd : static_cast<uint64_t>(hole));
        if (static_cast<uint64_t>(data) >= end) {
            return true;
        }
        if (!ScanRange(file, size, static_cast<uint64_t>(data), end, scanner, piece, error)) {
            return false;
        }
        position = end;
    }
    return true;
}

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

bool PlanSave(const ConfigDocument& doc, const File& file, uint64_t size,
              bool preservePhysicalAddress, ImagePatch& patch, std::string& message) {
    int error = 0;
    // The raw handler comes first in the chain and answers from the block
    // search alone, so searching the file here gives the chain's answer.
    BlockScanner scanner;
    if (!LocateRawBlock(file, size, scanner, error)) {
        message = platform::SystemErrorText(error);
        return false;
    }
    ConfigBlock found{};
    uint64_t offset = 0;
    const BlockResult raw = scanner.Answer(&found, &offset, message);
    if (raw == BLOCK_FOUND) {
        patch.offset = static_cast<size_t>(offset);
        patch.bytes.resize(kConfigBlockSize);
        ConfigBlockToBytes(BlockWrittenInto(doc, preservePhysicalAddress)(found),
                           patch.bytes.data());
        patch.length = static_cast<size_t>(size);
        return true;
    }
    if (raw == BLOCK_ERROR) {
        return false;
    }
    platform::FileBytes bytes;
    if (!file.ReadAll(static_cast<size_t>(size), bytes, error)) {
        message = platform::SystemErrorText(error);
        return false;
    }
    return StoreToImage(doc, bytes.span(), static_cast<size_t>(size) + kGrowthReserve,
                        preservePhysicalAddress, patch, message);
}

bool ChangesNothing(const ImagePatch& patch, uint64_t size) {
    return patch.bytes.empty() && patch.length == size;
}

bool FitsOnePage(const ImagePatch& patch, uint64_t size) {
    if (patch.length != size || patch.bytes.empty()) {
        return patch.length == size;
    }
    const uint64_t last = patch.offset + patch.bytes.size() - 1;
    return patch.offset / kPage == last / kPage;
}

bool PatchInPlace(File& file, const ImagePatch& patch, uint64_t size,
                  const platform::FileTimes& times, int& error) {
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
    const uint64_t end = patch.offset + patch.bytes.size();
    return platform::CopyRange(source, 0, patch.offset, to, 0, error) &&
           to.WriteAt(patch.offset, patch.bytes, error) &&
           (end >= patch.length ||
            platform::CopyRange(source, end, patch.length - end, to, end, error)) &&
           to.SetLength(patch.length, error);
}

} // namespace zlc

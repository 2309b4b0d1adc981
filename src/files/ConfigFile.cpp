#include "files/ConfigFile.h"

#include "base/AsciiCase.h"
#include "base/Format.h"
#include "files/ContainerHandlers.h"
#include "files/DocumentImage.h"
#include "files/SafeSave.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"
#include "platform/FileWriter.h"
#include "platform/RollbackJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <sys/stat.h>

namespace zlc {

namespace {

using platform::File;
using platform::FileTimes;
using platform::SystemErrorText;

constexpr std::string_view kExtensions[] = {".EXE", ".ELF", ".S9", ".IDP", ".LVB", ".PRC"};
constexpr uint8_t kElfMagic[4] = {0x7F, 'E', 'L', 'F'};

// The last component of a path as written; a name ending in '/' has none.
std::string LastComponent(std::string_view path) {
    return std::filesystem::path(path).filename().string();
}

// A failed step: the reason, and the box text built around it.
class Failure {
  public:
    Failure(const char* format, const std::string& path) : format_(format), path_(path) {}

    FileOutcome operator()(const std::string& reason, int error = 0) const {
        FileOutcome outcome;
        outcome.reason = reason;
        outcome.message = Format(format_, path_.c_str(), reason.c_str());
        outcome.error = error;
        return outcome;
    }
    FileOutcome System(int error) const { return (*this)(SystemErrorText(error), error); }

  private:
    const char* format_;
    const std::string& path_;
};

// The checks every opened file goes through before its bytes are read: a
// regular file, of a supported type, not empty. An empty reason means it
// passed.
std::string CheckOpenedFile(const File& file, const struct stat& status, bool needsElfMagic) {
    if (S_ISDIR(status.st_mode)) {
        return SystemErrorText(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        return kMessageNotRegularFile;
    }
    if (needsElfMagic) {
        uint8_t magic[sizeof kElfMagic]{};
        int error = 0;
        if (static_cast<size_t>(status.st_size) < sizeof magic || !file.ReadAt(0, magic, error) ||
            std::memcmp(magic, kElfMagic, sizeof magic) != 0) {
            return kMessageTypeNotSupported;
        }
    }
    if (status.st_size == 0) {
        return kMessageZeroLength;
    }
    return {};
}

// Whether the name is refused outright; `needsElfMagic` tells that the file's
// first bytes decide.
bool RefusedByName(const std::string& name, bool& needsElfMagic) {
    needsElfMagic = false;
    if (HasSupportedExtension(name)) {
        return false;
    }
    if (HasNoExtension(name)) {
        needsElfMagic = true;
        return false;
    }
    return true;
}

// A file that cannot be replaced keeping its identity is changed where it
// lies: one with several hard links, whose other names must go on showing
// the same content, and one whose directory may not be written or whose
// owner cannot be kept.
bool MustChangeInPlace(const struct stat& status) {
    return status.st_nlink > 1;
}

bool CannotReplace(int error) {
    return error == EACCES || error == EPERM;
}

// The new content of `path` as a complete file, put in its place only once it
// is there whole and only while the file is still the one read. False with
// `error` set when that failed (kErrorChangedByOther when the file turned out
// to be changed by another program).
bool ReplaceWithPatchedCopy(const std::string& path, const File& file, const ImagePatch& patch,
                            const platform::FileIdentity& identity, int& error) {
    platform::NewFile content = platform::NewFile::Begin(path, {}, error);
    if (!content.IsOpen()) {
        return false;
    }
    // A copy that is written again from the file fails when the file changes
    // under it.
    if (!WritePatchedCopy(file, patch, content.Content(), error)) {
        if (!StillTheFileRead(path, file, identity)) {
            error = platform::kErrorChangedByOther;
        }
        return false;
    }
    if (!content.Commit(error, [&] { return StillTheFileRead(path, file, identity); })) {
        return false;
    }
    // A write into the old file between the last check and the rename is
    // lost with the old file: say so rather than report success.
    if (!OpenFileUnchanged(file, identity)) {
        error = platform::kErrorChangedByOther;
        return false;
    }
    return true;
}

// Whether the name leads to the file patched in place, with the length the
// patch gave it.
bool NameShowsPatched(const std::string& path, const File& file, const ImagePatch& patch) {
    struct stat written {};
    int error = 0;
    return file.Status(written, error) && static_cast<uint64_t>(written.st_size) == patch.length &&
           platform::NameShows(path, written);
}

// The outcome of a load or save that went well, with the notice of a file put
// back on the way.
FileOutcome Succeeded(const std::string& path, bool restored) {
    FileOutcome outcome;
    outcome.ok = true;
    if (restored) {
        outcome.notice = Format(kRestoredFormat, path.c_str());
    }
    return outcome;
}

FileOutcome SaveInPlace(const ConfigDocument& doc, const std::string& path, bool needsElfMagic,
                        bool preservePhysicalAddress, const SaveConditions& conditions) {
    const Failure fail(kSaveFailedFormat, path);
    int error = 0;
    // Held from the read to the last write: another save waits its turn.
    const platform::FileLock lock = platform::FileLock::Acquire(path, conditions.wait, error);
    if (!lock.IsHeld()) {
        return fail.System(error);
    }
    File file = File::OpenForReadWrite(path, error);
    if (!file.IsOpen()) {
        return fail.System(error);
    }
    struct stat status {};
    if (!file.Status(status, error)) {
        return fail.System(error);
    }
    // A file nobody may write is read-only even to a privileged user.
    if (S_ISREG(status.st_mode) && platform::IsReadOnly(status)) {
        return fail.System(EACCES);
    }
    if (const std::string reason = CheckOpenedFile(file, status, needsElfMagic); !reason.empty()) {
        return fail(reason);
    }
    platform::Rollback rollback = platform::Rollback::None;
    if (!platform::RollBackUnfinishedRewrite(file, rollback, error) ||
        !file.Status(status, error)) {
        return fail.System(error);
    }
    const bool restored = rollback == platform::Rollback::Restored;
    if (!conditions.loadedName.empty() && conditions.loadedName == path &&
        !platform::IsUnchanged(conditions.loaded, status)) {
        return fail(kMessageChangedWhileSaving, platform::kErrorChangedByOther);
    }
    FileTimes times;
    if (!file.GetTimes(times, error)) {
        return fail.System(error);
    }
    auto failKeepingTimes = [&](const std::string& reason) {
        int ignored = 0;
        file.SetTimes(times, ignored);
        return fail(reason);
    };
    const uint64_t size = static_cast<uint64_t>(status.st_size);
    const platform::FileIdentity identity = platform::IdentityOf(status);
    ImagePatch patch;
    std::string message;
    if (!PlanSave(doc, file, status, preservePhysicalAddress, conditions.layout, patch, message)) {
        return failKeepingTimes(message);
    }
    if (!StillTheFileRead(path, file, identity)) {
        return fail(kMessageChangedWhileSaving, platform::kErrorChangedByOther);
    }
    if (ChangesNothing(patch, size)) {
        file.SetTimesToNow(error); // the content is saved whether or not the times follow
        return Succeeded(path, restored);
    }
    bool inPlace = FitsOnePage(patch, size) || MustChangeInPlace(status);
    if (!inPlace && !ReplaceWithPatchedCopy(path, file, patch, identity, error)) {
        if (!CannotReplace(error)) {
            return fail.System(error);
        }
        inPlace = true;
    }
    if (inPlace) {
        if (!PatchInPlace(file, patch, size, times, error)) {
            return fail.System(error);
        }
        file.SetTimesToNow(error);
        if (!NameShowsPatched(path, file, patch)) {
            return fail(kMessageChangedWhileSaving, platform::kErrorChangedByOther);
        }
    }
    return Succeeded(path, restored);
}

FileOutcome SaveCopy(const ConfigDocument& doc, const std::string& source,
                     const std::string& target, bool needsElfMagic, bool preservePhysicalAddress,
                     const SaveConditions& conditions) {
    const Failure fail(kSaveFailedFormat, target);
    int error = 0;
    const platform::FileLock lock = platform::FileLock::Acquire(source, conditions.wait, error);
    if (!lock.IsHeld()) {
        return fail.System(error);
    }
    const File file = File::OpenForReading(source, error);
    if (!file.IsOpen()) {
        return fail.System(error);
    }
    struct stat status {};
    if (!file.Status(status, error)) {
        return fail.System(error);
    }
    if (const std::string reason = CheckOpenedFile(file, status, needsElfMagic); !reason.empty()) {
        return fail(reason);
    }
    const platform::FileIdentity identity = platform::IdentityOf(status);
    ImagePatch patch;
    std::string message;
    if (!PlanSave(doc, file, status, preservePhysicalAddress, conditions.layout, patch, message)) {
        return fail(message);
    }
    // The copy takes the source's permissions, but never its read-only state,
    // and replaces a file of the target's name only when it is complete.
    platform::WriteOptions options;
    options.mode = (status.st_mode & 07777) | S_IWUSR;
    options.keepOwnerAndGroup = false;
    platform::NewFile copy = platform::NewFile::Begin(target, options, error);
    if (!copy.IsOpen()) {
        return fail.System(error);
    }
    if (!WritePatchedCopy(file, patch, copy.Content(), error)) {
        if (!StillTheFileRead(source, file, identity)) {
            error = platform::kErrorChangedByOther;
        }
        return fail.System(error);
    }
    if (!copy.Commit(error, [&] { return StillTheFileRead(source, file, identity); })) {
        return fail.System(error);
    }
    return Succeeded(target, false);
}

} // namespace

bool HasSupportedExtension(std::string_view name) {
    const std::string last = LastComponent(name);
    return std::any_of(
        std::begin(kExtensions), std::end(kExtensions),
        [&last](std::string_view ext) { return EndsWithIgnoringAsciiCase(last, ext); });
}

bool HasNoExtension(std::string_view name) {
    const std::string last = LastComponent(name);
    // A leading dot marks a hidden file, not an extension.
    return !last.empty() && last.find('.', 1) == std::string_view::npos;
}

FileOutcome LoadConfigFile(ConfigDocument& doc, const std::string& path) {
    const Failure fail(kOpenFailedFormat, path);
    try {
        bool needsElfMagic = false;
        if (RefusedByName(path, needsElfMagic)) {
            return fail(kMessageTypeNotSupported);
        }
        int error = 0;
        bool restored = false;
        if (!RecoverUnfinishedSave(path, {}, restored, error)) {
            return fail.System(error);
        }
        const File file = File::OpenForReading(path, error);
        if (!file.IsOpen()) {
            return fail.System(error);
        }
        struct stat status {};
        if (!file.Status(status, error)) {
            return fail.System(error);
        }
        if (const std::string reason = CheckOpenedFile(file, status, needsElfMagic);
            !reason.empty()) {
            return fail(reason);
        }
        std::string message = kMessageNoConfigData;
        FileLayout layout;
        if (!LoadFromFile(doc, file, static_cast<uint64_t>(status.st_size), message, &layout)) {
            return fail(message);
        }
        FileOutcome outcome = Succeeded(path, restored);
        outcome.file = platform::IdentityOf(status);
        outcome.layout = std::move(layout);
        outcome.layout.DescribeFile(status);
        return outcome;
    } catch (const std::bad_alloc&) {
        return fail.System(ENOMEM);
    }
}

FileOutcome SaveConfigFile(const ConfigDocument& doc, const std::string& source,
                           const std::optional<std::string>& target, bool preservePhysicalAddress,
                           const SaveConditions& conditions) {
    // A target that is the source under another name (a link, or a name in
    // another letter case on a file system that ignores case) is saved in
    // place rather than copied onto itself.
    const bool inPlace = !target || *target == source || platform::IsSameFile(source, *target);
    const std::string& written = inPlace ? source : *target;
    const Failure fail(kSaveFailedFormat, written);
    try {
        bool needsElfMagic = false;
        if (RefusedByName(written, needsElfMagic)) {
            return fail(kMessageTypeNotSupported);
        }
        return inPlace
                   ? SaveInPlace(doc, source, needsElfMagic, preservePhysicalAddress, conditions)
                   : SaveCopy(doc, source, written, needsElfMagic, preservePhysicalAddress,
                              conditions);
    } catch (const std::bad_alloc&) {
        return fail.System(ENOMEM);
    }
}

} // namespace zlc

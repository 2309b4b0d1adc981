#include "files/ConfigFile.h"

#include "base/AsciiCase.h"
#include "base/Format.h"
#include "files/ContainerHandlers.h"
#include "files/DocumentImage.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <sys/stat.h>

namespace zlc {

namespace {

using platform::File;
using platform::FileBytes;
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

    FileOutcome operator()(const std::string& reason) const {
        return {false, reason, Format(format_, path_.c_str(), reason.c_str())};
    }
    FileOutcome System(int error) const { return (*this)(SystemErrorText(error)); }

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

// Puts the old bytes back after a write went wrong half-way. Best effort: the
// write that failed may fail again, but the length and times are restored
// whatever happens.
void RollBack(File& file, const ImagePatch& patch, std::span<const uint8_t> oldBytes,
              size_t oldLength, const FileTimes& times) {
    int ignored = 0;
    file.WriteAt(patch.offset, oldBytes, ignored);
    file.SetLength(oldLength, ignored);
    file.Sync(ignored);
    file.SetTimes(times, ignored);
}

FileOutcome SaveInPlace(const ConfigDocument& doc, const std::string& path, bool needsElfMagic,
                        bool preservePhysicalAddress) {
    const Failure fail(kSaveFailedFormat, path);
    int error = 0;
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
    FileTimes times;
    if (!file.GetTimes(times, error)) {
        return fail.System(error);
    }
    auto failKeepingTimes = [&](const std::string& reason) {
        int ignored = 0;
        file.SetTimes(times, ignored);
        return fail(reason);
    };
    if (const std::string reason = CheckOpenedFile(file, status, needsElfMagic); !reason.empty()) {
        return failKeepingTimes(reason);
    }
    const size_t size = static_cast<size_t>(status.st_size);
    FileBytes bytes;
    if (!file.ReadAll(size, bytes, error)) {
        return failKeepingTimes(SystemErrorText(error));
    }
    ImagePatch patch;
    std::string message = kMessageNoConfigData;
    if (!StoreToImage(doc, bytes.span(), size + kGrowthReserve, preservePhysicalAddress, patch,
                      message)) {
        return failKeepingTimes(message);
    }

    const size_t oldEnd = std::min(size, patch.offset + patch.bytes.size());
    const std::span<const uint8_t> oldBytes =
        patch.offset < oldEnd ? bytes.span().subspan(patch.offset, oldEnd - patch.offset)
                              : std::span<const uint8_t>();
    if (patch.length > size && !file.Reserve(patch.length, error)) {
        RollBack(file, patch, {}, size, times);
        return fail.System(error);
    }
    if (!file.WriteAt(patch.offset, patch.bytes, error) ||
        (patch.length != size && !file.SetLength(patch.length, error)) || !file.Sync(error)) {
        RollBack(file, patch, oldBytes, size, times);
        return fail.System(error);
    }
    file.SetTimesToNow(error); // the content is saved whether or not the times follow
    return {true, {}, {}};
}

FileOutcome SaveCopy(const ConfigDocument& doc, const std::string& source,
                     const std::string& target, bool needsElfMagic, bool preservePhysicalAddress) {
    const Failure fail(kSaveFailedFormat, target);
    int error = 0;
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
    const size_t size = static_cast<size_t>(status.st_size);
    FileBytes bytes;
    if (!file.ReadAll(size, bytes, error)) {
        return fail.System(error);
    }
    ImagePatch patch;
    std::string message = kMessageNoConfigData;
    if (!StoreToImage(doc, bytes.span(), size + kGrowthReserve, preservePhysicalAddress, patch,
                      message)) {
        return fail(message);
    }
    std::vector<uint8_t> content(bytes.data(), bytes.data() + size);
    ApplyPatch(content, patch);

    // The copy is written under a temporary name and put in the target's
    // place only when complete: a failed Save As leaves a file that already
    // had the target's name as it was.
    std::string temporary;
    File copy = File::CreateBeside(target, temporary, error);
    if (!copy.IsOpen()) {
        return fail.System(error);
    }
    // The copy takes the source's permissions, but never its read-only state.
    const mode_t mode = (status.st_mode & 07777) | S_IWUSR;
    if (!copy.WriteAt(0, content, error) || !copy.SetMode(mode, error) || !copy.Sync(error) ||
        !platform::ReplaceFile(temporary, target, error)) {
        int ignored = 0;
        platform::RemoveFile(temporary, ignored);
        return fail.System(error);
    }
    return {true, {}, {}};
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
        FileBytes bytes;
        if (!file.ReadAll(static_cast<size_t>(status.st_size), bytes, error)) {
            return fail.System(error);
        }
        std::string message = kMessageNoConfigData;
        if (!LoadFromImage(doc, bytes.span(), message)) {
            return fail(message);
        }
        return {true, {}, {}};
    } catch (const std::bad_alloc&) {
        return fail.System(ENOMEM);
    }
}

FileOutcome SaveConfigFile(const ConfigDocument& doc, const std::string& source,
                           const std::optional<std::string>& target, bool preservePhysicalAddress) {
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
        return inPlace ? SaveInPlace(doc, source, needsElfMagic, preservePhysicalAddress)
                       : SaveCopy(doc, source, written, needsElfMagic, preservePhysicalAddress);
    } catch (const std::bad_alloc&) {
        return fail.System(ENOMEM);
    }
}

} // namespace zlc

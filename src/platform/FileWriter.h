#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>

// The one way files are written here, whether a save, a Save As, an export, a
// preview or a picture: the complete new content is built in a file of its own
// beside the final name (unnamed where the file system allows, else under a
// hidden temporary name removed on every failure), synced, and only then put
// in the final name's place in one step. Whoever reads the name, and whatever
// stops the program, sees the old file or the new one, never a part of either.
//
// Links at the final name, decided once for every writer:
// - LinkAtName::Follow (files the user names): a symbolic link at the name is
//   resolved, and the file it leads to is replaced; the link stays and shows
//   the new content, as it did the old. A name that does not exist, or a
//   link that leads nowhere, gets a new file at the place it names. A link
//   is followed only where the kernel would follow it for the user: in a
//   sticky directory that everyone may write, a link made by another user
//   than the directory's owner is refused (kErrorProtectedLink).
// - LinkAtName::Refuse (files the program names itself, in a shared or
//   private directory): a link at the name fails with ELOOP and nothing is
//   written anywhere, so a link planted there never redirects the write.
// Either way the new file is never opened through the final name, so no link
// can make the write create or truncate a file elsewhere, and only a regular
// file is ever replaced: anything else at the name (a device node, a FIFO)
// is refused with kErrorNotRegularFile, a directory with EISDIR.
//
// Temporary names left by a writer that was killed are removed by the next
// writer in the same directory.
namespace zlc::platform {

enum class LinkAtName { Follow, Refuse };

struct WriteOptions {
    LinkAtName link = LinkAtName::Follow;
    // The permission bits of the new file. Unset: those of the file it
    // replaces, or 0666 less the umask when there was none.
    std::optional<mode_t> mode;
    // A replaced file's owner and group go over to the new file; when they
    // cannot, the write fails with EPERM rather than change them.
    bool keepOwnerAndGroup = true;
};

// The new content of one file, under construction. Uncommitted content
// disappears with the object and leaves nothing behind.
class NewFile {
  public:
    NewFile() = default;
    ~NewFile();
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&& other) noexcept;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Starts the new content of `path`: an empty file in the directory where
    // the final file will be.
    static NewFile Begin(const std::string& path, const WriteOptions& options, int& error);

    bool IsOpen() const { return content_.IsOpen(); }
    File& Content() { return content_; }
    // The name that Commit replaces: `path`, or where its link leads.
    const std::string& FinalName() const { return finalName_; }

    // Gives the content its mode, owner and group, syncs it and puts it in the
    // final name's place in one step. `stillWanted`, asked last before that
    // step, may call it off (kErrorChangedByOther). Afterwards the name must
    // lead to the new content with its length, else another program changed
    // it meanwhile (kErrorChangedByOther).
    bool Commit(int& error, const std::function<bool()>& stillWanted = {});

  private:
    void Discard();
    bool GiveMetadata(int& error);
    bool LinkIn(int& error);

    File content_;
    std::string finalName_;
    std::string directory_;
    std::string temporaryName_; // set while the content has a name of its own
    WriteOptions options_;
};

// Why NewFile would refuse `path` as it is now (an errno value or this
// layer's own refusal); 0 when it would write there.
int OutputTargetError(const std::string& path, LinkAtName link);

// Writes `bytes` as the whole new content of `path`, as NewFile does.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         const WriteOptions& options, int& error);

// Puts a change of names in `directory` on disk: a rename or removal lasts
// only once its directory does. The change itself has happened whether or
// not this succeeds, so a failure here is nobody's failure.
void SyncDirectory(const std::string& directory);

// Copies `length` bytes of `from` at `fromOffset` into `to` at `toOffset`
// inside the kernel, leaving holes of a sparse file as holes: only the ranges
// that hold data are copied, so the caller sets the final length.
bool CopyRange(const File& from, uint64_t fromOffset, uint64_t length, File& to, uint64_t toOffset,
               int& error);

} // namespace zlc::platform

#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
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
//   link that leads nowhere, gets a new file at the place it names.
// - LinkAtName::Refuse (files the program names itself, in a shared or
//   private directory): a link at the name fails with ELOOP and nothing is
//   written anywhere, so a link planted there never redirects the write.
// Either way the new file is never opened through the final name, so no link
// can make the write create or truncate a file elsewhere.
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
    // final name's place in one step.
    bool Commit(int& error);

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

// Writes `bytes` as the whole new content of `path`, as NewFile does. An
// existing `path` that is not a regular file (a terminal, a FIFO, /dev/null)
// is written into as it is, since replacing it would destroy it; with
// LinkAtName::Refuse such a name is refused with EEXIST instead.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         const WriteOptions& options, int& error);

// Copies `length` bytes of `from` at `fromOffset` into `to` at `toOffset`
// inside the kernel, leaving holes of a sparse file as holes: only the ranges
// that hold data are copied, so the caller sets the final length.
bool CopyRange(const File& from, uint64_t fromOffset, uint64_t length, File& to, uint64_t toOffset,
               int& error);

} // namespace zlc::platform

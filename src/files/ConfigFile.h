#pragma once

#include "files/FileLayout.h"
#include "model/ConfigDocument.h"
#include "platform/FileIdentity.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>

namespace zlc {

inline constexpr const char* kMessageTypeNotSupported = "The file type is not supported.";
inline constexpr const char* kMessageZeroLength = "The specified file has a length of zero.";
inline constexpr const char* kMessageNotRegularFile = platform::kTextNotRegularFile;
inline constexpr const char* kMessageChangedWhileSaving = platform::kTextChangedByOther;
inline constexpr const char* kRestoredFormat =
    "File \"%s\" was put back as it was before a save that was stopped half-way.";

// The texts of the warning box that reports a failure: file name, then reason.
inline constexpr const char* kOpenFailedFormat = "File \"%s\" could not be opened because:\n\n%s";
inline constexpr const char* kSaveFailedFormat = "File \"%s\" could not be saved because:\n\n%s";

// What an open or save came to. On failure `reason` is the fixed text or the
// system's text, and `message` the whole text of the box the caller shows.
struct FileOutcome {
    bool ok = false;
    std::string reason;
    std::string message;
    // The errno value (or the platform layer's own) behind a failure; 0 for
    // a fixed text.
    int error = 0;
    // A load: the file as it was read, for a later save to compare with, and
    // where its block lies, for a later save to skip the search.
    platform::FileIdentity file;
    FileLayout layout;
    // Something the user should hear of even on success, such as a file put
    // back after a save that was stopped half-way; empty otherwise.
    std::string notice;
};

// What a save may rely on beyond the file itself.
struct SaveConditions {
    // How long the file's lock is waited for, and who hears of the wait.
    platform::LockWait wait;
    // The name the document was loaded from and the file as it was then: a
    // save in place of that very name refuses when another program has
    // changed or replaced the file since (kMessageChangedWhileSaving).
    std::string loadedName;
    platform::FileIdentity loaded;
    // Where the load found the block (FileOutcome::layout): a save of that
    // same file, unchanged since, reads only what it writes around the block.
    // Any other file is searched as usual.
    FileLayout layout;
};

// Whether a name is accepted by its extension alone: ".EXE", ".ELF", ".S9",
// ".IDP", ".LVB" or ".PRC" in any letter case.
bool HasSupportedExtension(std::string_view name);

// Whether the last component of a path has no extension at all. Such a name is
// accepted when its file starts with the ELF magic, as programs here have no
// extension.
bool HasNoExtension(std::string_view name);

// Reads a configurable file and loads its block into the document. A failure
// leaves the document and the file as they were. A file that a save left
// half-written is first put back as it was (the outcome's notice says so).
FileOutcome LoadConfigFile(ConfigDocument& doc, const std::string& path);

// Writes the document's block into `source` in place or, given a `target`
// that is another file, into a copy of `source` under that name. Nothing is
// written unless the new content was built completely; a failed save leaves
// every file with its bytes, length, mode and times. The document is never
// changed.
//
// A save holds the file's advisory lock (platform::FileLock) from its read to
// its last write, waiting for it as `conditions` say, and writes nothing when
// the file is no longer what it read (or what the document was loaded from).
// After its write the name must still lead to what it wrote, with its length;
// otherwise another program came between, and the save says so.
// A change that keeps the length and lies within one page is written in
// place; any other goes into a complete new file that replaces the old one
// with its mode, owner and group. A file with several hard links, or in a
// directory that may not be written, is changed in place, so every name keeps
// showing the same file; its old bytes are put back exactly when a write
// fails, and from a journal when the save is killed half-way.
FileOutcome SaveConfigFile(const ConfigDocument& doc, const std::string& source,
                           const std::optional<std::string>& target, bool preservePhysicalAddress,
                           const SaveConditions& conditions = {});

} // namespace zlc

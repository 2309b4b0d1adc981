#pragma once

#include "files/FileLayout.h"
#include "files/ImagePatch.h"
#include "model/ConfigDocument.h"
#include "platform/FileIdentity.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>

// The steps of a save that decide what a file holds if the save fails or is
// stopped half-way. Every step either leaves the file's old bytes or puts the
// new ones there completely.
namespace zlc {

// Whether `path` still names the file opened as `file`, with the length and
// modification time it had when read.
bool StillTheFileRead(const std::string& path, const platform::File& file,
                      const platform::FileIdentity& identity);

// Whether the file opened as `file` is still as it was read, whatever its
// name shows now.
bool OpenFileUnchanged(const platform::File& file, const platform::FileIdentity& identity);

// Puts back the file at `path` when a save that rewrote it in place was
// stopped half-way and left its journal; `restored` tells whether it did.
// Waits for the file's lock as `wait` says.
bool RecoverUnfinishedSave(const std::string& path, const platform::LockWait& wait, bool& restored,
                           int& error);

// Works out how the document's block is written into the file opened as
// `file`, whose status is `status`. Program images and S-record text are read
// a piece at a time, so a large file is never held whole (an S-record text
// that changes widely is written again from the file); resource databases
// are read whole. Where `known` describes the file, only the part around the
// block is read. On failure `message` holds the fixed text or the system's.
bool PlanSave(const ConfigDocument& doc, const platform::File& file, const struct stat& status,
              bool preservePhysicalAddress, const FileLayout& known, ImagePatch& patch,
              std::string& message);

// Whether the patch changes nothing.
bool ChangesNothing(const ImagePatch& patch, uint64_t size);

// Whether the patch keeps the length and lies within one page, so that one
// write of its bytes is all the file sees of the save.
bool FitsOnePage(const ImagePatch& patch, uint64_t size);

// Writes the patch into the file itself and syncs it. When any step fails the
// bytes it overwrote, the length and the times are put back exactly. A patch
// that is more than one write into one page is journalled first, so that a
// kill half-way is undone by the next load or save.
bool PatchInPlace(platform::File& file, const ImagePatch& patch, uint64_t size,
                  const platform::FileTimes& times, int& error);

// Writes the patched content of `source` into the empty file `to`; the
// unchanged ranges are copied inside the kernel, holes stay holes.
bool WritePatchedCopy(const platform::File& source, const ImagePatch& patch, platform::File& to,
                      int& error);

} // namespace zlc

#pragma once

#include "model/ConfigBlock.h"
#include "platform/FileIdentity.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <sys/stat.h>

namespace zlc {

// A record start in S-record text from which the text can be read again: the
// offset of its "S", of its first data byte, and of its "S" in the text
// written again.
struct SRecordCheckpoint {
    uint64_t textAt = 0;
    uint64_t dataAt = 0;
    uint64_t rewrittenAt = 0;
};

// Where a load found the block in a file, so that a save of the same file,
// unchanged since, does not read the whole file again to find it.
struct FileLayout {
    enum class Kind { Unknown, Raw, SRecord };
    Kind kind = Kind::Unknown;
    // The block as the file stores it.
    ConfigBlock found{};
    // A raw image: the block's offset in the file; S-record text: its offset
    // in the data of the records.
    uint64_t blockOffset = 0;

    // S-record text: the last record start at or before the block, and how
    // the text is written again (SRecordTextFacts, and the length then).
    SRecordCheckpoint checkpoint;
    // A record start near the middle of a long text, where a rewrite splits
    // it in two halves written at once; none (the start) in a short one.
    SRecordCheckpoint split;
    std::string lineEnd;
    bool writtenAsRead = false;
    uint64_t rewrittenLength = 0;

    // The file described, as it was read.
    platform::FileIdentity file;
    timespec statusChange{};

    void DescribeFile(const struct stat& status);
    // Whether `status` is the file described, unchanged. The status change
    // time is compared too: unlike the modification time, no program can set
    // it back after changing the content.
    bool Describes(const struct stat& status) const;
};

} // namespace zlc

#pragma once

#include <string>

namespace zlc::platform {

// The hidden names that new content has while it is put in place.
inline constexpr const char* kTemporaryPrefix = ".zlc-save-";

// A writer holds an exclusive lock on its temporary file for as long as the
// file lives, so one that nobody holds was left behind by a writer that was
// stopped between giving it a name and renaming it.
bool HoldAsTemporary(int fd);

// Removes the temporaries in `directory` that belong to this user and that no
// running writer holds. Whatever cannot be examined or removed stays.
void RemoveStaleTemporaries(const std::string& directory);

} // namespace zlc::platform

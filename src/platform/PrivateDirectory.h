#pragma once

#include <string>

// A directory of the user's own for files that other users must neither read
// nor replace: files shown in a preview live there, never in a directory
// shared with everyone such as /tmp.
namespace zlc::platform {

struct PrivateDirectory {
    std::string path;
    int error = 0; // an errno value; 0 when the directory can be used
};

// `base`/`name`, created with mode 0700 on first use (with `base` if it is
// missing). An existing one is used only when it is a real directory, not a
// symbolic link, and belongs to the user; its mode is brought back to 0700.
PrivateDirectory OpenPrivateDirectory(const std::string& base, const std::string& name);

// Where private directories go: $XDG_RUNTIME_DIR, which lives only as long as
// the user's session, else the cache directory ($XDG_CACHE_HOME, else
// $HOME/.cache). Only absolute paths count.
std::string PrivateDirectoryBase();

} // namespace zlc::platform

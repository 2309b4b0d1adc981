#pragma once

#include <string>
#include <vector>

namespace zlc::platform {

// Where the programs look for their data files (PANELS.DEF), in order: the
// program's own directory, then the data directory of an installation,
// share/zlc62740 beside the bin directory the program was installed in. An
// entry is empty when the program's directory cannot be found.
std::vector<std::string> DataDirectories();

} // namespace zlc::platform

#pragma once

#include <string>
#include <vector>

namespace zlc::virt {

inline constexpr int kNoOrientation = -1;
// The narrowest virtual width that holds a byte of pixels at every depth.
inline constexpr int kMinVirtualWidth = 8;
inline constexpr int kMaxVirtualWidth = 65535;

struct VirtOptions {
    enum Outcome { Run, Usage, BadWidth } outcome = Run;
    bool automatic = false;
    int orientation = kNoOrientation; // 0 landscape, 1 PivotScan
    bool alternate = false;           // /ALT: the alternate PivotScan mode
    int virtualWidth = 0;             // 0: not given
    std::string badWidth;             // the text of a refused /W
};

// The words of the command line, without the program name. Words are taken
// from the last to the first, so of conflicting options the first written
// wins; the first option that shows the usage ends the parse.
VirtOptions ParseVirtOptions(const std::vector<std::string>& words);

} // namespace zlc::virt

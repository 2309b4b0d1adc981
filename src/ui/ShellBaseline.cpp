#include "ui/ShellBaseline.h"

#include <cstring>

namespace zlc::ui {

bool DocumentBaseline::Differs(const ConfigDocument& doc) const {
    // Showing a page changes nothing, so any difference is the user's.
    return std::memcmp(&doc.block, &block_, sizeof block_) != 0;
}

} // namespace zlc::ui

#include "ui/ShellBaseline.h"

#include "model/DocumentUpdates.h"

#include <cstring>

namespace zlc::ui {

namespace {

// The block as the program keeps it: the frame rate and the line byte count
// follow from the other settings, and start-up and the pages recompute them
// on their own, so they tell nothing of the user's changes.
ConfigBlock InLine(const ConfigBlock& block) {
    ConfigDocument doc;
    doc.block = block;
    UpdateFrameRate(doc);
    UpdateLineByteCount(doc);
    return doc.block;
}

} // namespace

bool DocumentBaseline::Differs(const ConfigDocument& doc) const {
    const ConfigBlock now = InLine(doc.block);
    const ConfigBlock saved = InLine(block_);
    return std::memcmp(&now, &saved, sizeof now) != 0;
}

} // namespace zlc::ui

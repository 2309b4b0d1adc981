// Feeds arbitrary texts to the definition-file reader, then drives the panel
// list over what it read: filling, matching and applying every panel.
#include "panels/PanelSelection.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The first byte picks the file, so that both keep and drop paths run.
    const zlc::PanelSource source =
        size > 0 && (data[0] & 1) != 0 ? zlc::PanelSource::DebugDef : zlc::PanelSource::PanelsDef;
    zlc::PanelList list;
    bool failed = false;
    zlc::ReadPanelDefinitions(list, source, text, [&](const std::string&) { failed = true; });
    if (failed != !list.loaded || (failed && list.PanelCount() != 0)) {
        std::abort();
    }
    (void)zlc::PanelFileMessages(list);

    zlc::PanelSelection selection(list);
    const zlc::PanelListContents contents = selection.FillPanelList();
    if (!contents.entries.empty() && contents.entries.size() != size_t(list.PanelCount()) + 1) {
        std::abort();
    }
    for (int index = 0; index <= list.PanelCount(); ++index) {
        const zlc::PanelDefinition* d = index < list.PanelCount() ? &list.PanelAt(index) : nullptr;
        if (d != nullptr && d->disqualified != !d->reason.empty()) {
            std::abort();
        }
        zlc::ConfigDocument doc;
        selection.ApplySelectedPanel(doc, index);
        selection.RequestMatch();
        (void)selection.SelectMatchingPanel(doc);
    }
    return 0;
}

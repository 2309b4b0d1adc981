#include "cli/PanelCommands.h"

#include "model/DocumentUpdates.h"
#include "panels/PanelSelection.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>

namespace zlc::cli {

namespace {

void PrintMessage(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
}

// The index of the panel called `name`, as listed or without the "**" of a
// disqualified one; -1 when there is none.
int FindPanel(const PanelList& list, const std::string& name) {
    for (int index = 0; index < list.PanelCount(); ++index) {
        const PanelDefinition& d = list.PanelAt(index);
        if (d.name == name || (d.disqualified && name.size() == d.name.size() + 2 &&
                               name.starts_with("**") && name.ends_with(d.name))) {
            return index;
        }
    }
    return -1;
}

std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

int ListPanels(const PanelList& list) {
    PanelSelection selection(list);
    const PanelListContents contents = selection.FillPanelList();
    std::fputs(contents.debugNote.c_str(), stderr);
    std::fputs(PanelFileMessages(list).c_str(), stderr);
    for (int index = 0; index < list.PanelCount(); ++index) {
        const PanelDefinition& d = list.PanelAt(index);
        std::printf("%d\t%s\t%s\n", index, contents.entries[static_cast<size_t>(index)].c_str(),
                    WithoutLineEnd(d.reason).c_str());
    }
    return kExitOk;
}

} // namespace

const PanelList& ProgramPanels(const DocumentOptions& options) {
    // One tool run is one program run: the list is read once, like at the
    // utility's start-up, whichever of --panel, check or panels asks first.
    static std::optional<PanelList> list;
    if (!list) {
        list.emplace();
        if (options.panelsDir.empty()) {
            LoadPanelDefinitions(*list, PrintMessage);
        } else {
            LoadPanelDefinitions(*list, options.panelsDir, PrintMessage);
        }
    }
    return *list;
}

int ApplyPanelOption(ConfigDocument& doc, const DocumentOptions& options) {
    if (!options.panelName) {
        return kExitOk;
    }
    const PanelList& list = ProgramPanels(options);
    const int index = FindPanel(list, *options.panelName);
    if (index < 0) {
        std::fprintf(stderr, "zlc62740: --panel: no predefined panel \"%s\"\n",
                     options.panelName->c_str());
        return kExitUsage;
    }
    PanelSelection selection(list);
    // Without a Panel page, refreshing its controls leaves only the frame
    // rate, which the page recomputes from the new timings.
    const PanelApplyOutcome outcome =
        selection.ApplySelectedPanel(doc, index, [&doc] { UpdateFrameRate(doc); });
    std::fputs(outcome.message.c_str(), stderr);
    return outcome.kind == PanelApplyOutcome::Kind::Rejected ? kExitFailed : kExitOk;
}

void AddPanelCommands(CLI::App& app, Invocation& invocation) {
    app.add_subcommand("panels",
                       "List the predefined panels: index, name (\"**\" when the chip cannot "
                       "drive it), reason")
        ->callback([&invocation] {
            invocation.command = [&invocation](ConfigDocument&) {
                return ListPanels(ProgramPanels(invocation.document));
            };
        });
}

} // namespace zlc::cli

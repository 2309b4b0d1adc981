#pragma once

#include "model/ConfigDocument.h"
#include "panels/PanelList.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zlc {

// The last entry of a non-empty predefined-panel list.
inline constexpr const char* kCustomPanelEntry = "Custom panel";

// The current configuration written as a panel definition, for PanelMatches.
// Members that the configuration cannot know hold kPanelNotApplicable.
PanelDefinition ReferenceDefinition(const ConfigDocument& doc);

// Whether definition `d` describes the configuration that reference `r` was
// built from. Two values agree when they are equal or either is negative.
bool PanelMatches(const PanelDefinition& d, const PanelDefinition& r);

// What the Panel page puts into its drop-down list when it is filled.
struct PanelListContents {
    // One entry per definition, "**" before a disqualified one's name, then
    // "Custom panel"; empty when the list holds no definitions.
    std::vector<std::string> entries;
    // The DEBUG.DEF note for the top of the Diagnostics box, given once per
    // run; empty otherwise.
    std::string debugNote;
};

// What applying an entry of the list did, and what the page reports.
struct PanelApplyOutcome {
    enum class Kind {
        Refreshed, // "Custom panel" or no panel: nothing changed, refresh the box
        Rejected,  // a disqualified panel: nothing applied, `message` is an error
        Applied,   // settings changed, `message` is the pixel clock note or empty
    };
    Kind kind = Kind::Refreshed;
    std::string message;
};

// The selection state of the predefined-panel list for the whole run, free of
// any user interface: the Panel page shows the entries, passes on the user's
// choice and selects the entries this object gives back.
class PanelSelection {
  public:
    explicit PanelSelection(const PanelList& list) : list_(list) {}

    PanelListContents FillPanelList();

    // The index of "Custom panel", after the last definition.
    int CustomPanelEntry() const { return list_.PanelCount(); }

    // Called before each SelectMatchingPanel, so that no search runs while a
    // panel is being applied.
    void RequestMatch() { panelMatchPending_ = panelApplyIdle_; }

    // The entry that matches the configuration, or "Custom panel"; nothing
    // when no search was due or the list is empty. The page selects the entry
    // when its list shows another.
    std::optional<int> SelectMatchingPanel(const ConfigDocument& doc);

    // Applies the definition of entry `entry` to the document. While the
    // settings change the selection is busy; `initPanelControls`, when given,
    // runs then, after the settings and before the line byte count is
    // recomputed. After Applied or Rejected the page selects `entry`.
    PanelApplyOutcome ApplySelectedPanel(ConfigDocument& doc, int entry,
                                         const std::function<void()>& initPanelControls = {});

    bool panelMatchPending() const { return panelMatchPending_; }
    int lastPanelIndex() const { return lastPanelIndex_; }
    bool panelApplyIdle() const { return panelApplyIdle_; }
    bool debugNoteShown() const { return debugNoteShown_; }

  private:
    const PanelList& list_;
    bool panelMatchPending_ = true;
    int lastPanelIndex_ = -1;
    bool panelApplyIdle_ = true;
    bool debugNoteShown_ = false;
};

} // namespace zlc

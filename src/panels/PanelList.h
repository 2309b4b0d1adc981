#pragma once

#include "panels/PanelDefinition.h"
#include "panels/Qualification.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zlc {

// The two definition files: DEBUG.DEF, the in-house list of every panel ever
// handled, and PANELS.DEF, the one given to users.
enum class PanelSource { DebugDef, PanelsDef };

const char* PanelSourceFileName(PanelSource source);

// Decides whether the chip cannot drive a panel, as QualifyPanel does.
using QualificationRule = std::function<bool(const PanelDefinition&, std::string& reason)>;

// Shows a message about a definition file that could not be read (stderr in
// the command-line tool, a message box in the configuration utility).
using PanelMessageSink = std::function<void(const std::string& message)>;

// The predefined panels, read once and only read afterwards. Every panel of a
// file is kept: the list has no fixed room.
struct PanelList {
    static constexpr int32_t kRequiredVersion = 2;

    explicit PanelList(QualificationRule rule = QualifyPanel) : qualify(std::move(rule)) {}

    int PanelCount() const { return static_cast<int>(definitions.size()); }
    const PanelDefinition& PanelAt(int index) const {
        return definitions[static_cast<size_t>(index)];
    }

    std::vector<PanelDefinition> definitions;    // in file order
    PanelSource source = PanelSource::PanelsDef; // the file tried last
    bool loaded = false;                         // a file was read to its end without error
    int32_t fileVersion = 1;                     // 1 for a file without a VERSION line
    QualificationRule qualify;
};

// Reads DEBUG.DEF from `directory` or, when that cannot be opened, PANELS.DEF.
// Neither file: an empty list and no message. A file that is malformed or
// cannot be read leaves the list empty after showing why. Does nothing when the
// list has already been loaded.
void LoadPanelDefinitions(PanelList& list, const std::string& directory,
                          const PanelMessageSink& showMessage);

// The same from the directory of the running program.
void LoadPanelDefinitions(PanelList& list, const PanelMessageSink& showMessage);

// Reads the text of one definition file into the list, as the loader does
// once it has the file's bytes.
void ReadPanelDefinitions(PanelList& list, PanelSource source, std::string_view text,
                          const PanelMessageSink& showMessage);

// The error about a file of the wrong version, or nothing. It belongs in the
// Diagnostics text after the validation errors and counts as an error.
std::string PanelFileMessages(const PanelList& list);

} // namespace zlc

#pragma once

#include "model/ConfigDocument.h"
#include "platform/Opener.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zlc {

// The export targets in the order of the Export dialog's list; the number is
// the position in that list.
namespace ExportTargetNumber {
inline constexpr int AppCfg = 0;
inline constexpr int ChipHeader = 1;
inline constexpr int WinCeHeader = 2;
inline constexpr int GenericHeader = 3;
inline constexpr int Csv = 4;
inline constexpr int Html = 5;
} // namespace ExportTargetNumber

inline constexpr int kExportTargetCount = 6;

// The highest WinCE mode number the options allow.
inline constexpr unsigned kMaxWinCeModeNumber = 1000;

struct ExportFilter {
    const char* description; // "Header Files (*.h)"
    const char* pattern;     // "*.h"
};

// One row of the export target table. Texts are formats: every "%s" is the
// chip number; the WinCE row's "%u" is the mode number.
struct ExportTargetEntry {
    const char* listText;
    const char* defaultName;
    ExportFilter filters[2];
    const char* defaultExtension;
    // Preview opens the file in the text editor rather than with the program
    // associated with its type.
    bool openWithTextEditor;
    std::string (*generate)(const ConfigDocument& doc, unsigned buildNumber, unsigned modeNumber);
};

std::span<const ExportTargetEntry> ExportTargets();

// The row of a target number, or nullptr.
const ExportTargetEntry* FindExportTarget(int target);

// The list text and the default file name of a target, formatted.
std::string ExportListText(int target, unsigned modeNumber);
std::string ExportDefaultName(int target, unsigned modeNumber);

// The text of a target's file with "\n" line ends; empty for an unknown target.
std::string GenerateExport(const ConfigDocument& doc, int target, unsigned buildNumber,
                           unsigned modeNumber);

// Every line feed not already preceded by a carriage return gets one.
std::string ToCrLf(std::string_view text);

// The outcome of writing or previewing an export; `message` is shown to the
// user when `ok` is false.
struct ExportResult {
    bool ok = false;
    std::string message;
};

// Writes `bytes` to `path`, or, with no path, into the temporary directory
// under `namePattern` (its "%s" is the chip number) and opens that file with
// `opener`: in the text editor when `openWithTextEditor` is set, otherwise with
// the file's associated program.
//
// A file that exists at `path` is replaced only once the new content is
// completely on disk: when writing fails, the old file is still there.
ExportResult WriteExportFile(const std::optional<std::string>& path, std::string_view namePattern,
                             std::string_view bytes, bool openWithTextEditor,
                             const platform::Opener& opener);

// One export: generate the target's text with BuildNumber, convert its line
// ends and write it to `path`, or preview it when there is no path.
ExportResult ExportTarget(const ConfigDocument& doc, int target,
                          const std::optional<std::string>& path, unsigned modeNumber,
                          const platform::Opener& opener);

} // namespace zlc

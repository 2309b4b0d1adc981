#include "export/Export.h"

#include "base/BuildInfo.h"
#include "base/Format.h"
#include "export/Generators.h"
#include "platform/FileSystem.h"
#include "platform/FileWriter.h"

#include <filesystem>
#include <sys/stat.h>

namespace zlc {

namespace {

std::string AppCfg(const ConfigDocument& doc, unsigned build, unsigned) {
    return GenerateAppCfgHeader(doc, build);
}
std::string Chip(const ConfigDocument& doc, unsigned build, unsigned) {
    return GenerateChipHeader(doc, build);
}
std::string WinCe(const ConfigDocument& doc, unsigned build, unsigned mode) {
    return GenerateWinCeHeader(doc, build, mode);
}
std::string Generic(const ConfigDocument& doc, unsigned build, unsigned) {
    return GenerateGenericHeader(doc, build);
}
std::string Csv(const ConfigDocument& doc, unsigned build, unsigned) {
    return GenerateCsv(doc, build);
}
std::string Html(const ConfigDocument& doc, unsigned build, unsigned) {
    return GenerateHtmlReference(doc, build);
}

constexpr ExportFilter kHeaderFilters[] = {{"Header Files (*.h)", "*.h"},
                                           {"All Files (*.*)", "*.*"}};

constexpr ExportTargetEntry kTargets[] = {
    {"C Header File for ZLC%s HAL-Based Applications\t[appcfg.h]",
     "appcfg.h",
     {kHeaderFilters[0], kHeaderFilters[1]},
     "h",
     true,
     AppCfg},
    {"C Header File Defining a Map of ZLC%s Registers\t[chip.h]",
     "chip.h",
     {kHeaderFilters[0], kHeaderFilters[1]},
     "h",
     true,
     Chip},
    {"C Header File for ZLC%s WinCE Drivers \t\t[mode%u.h]",
     "mode%u.h",
     {kHeaderFilters[0], kHeaderFilters[1]},
     "h",
     true,
     WinCe},
    {"C Header File for ZLC%s Generic Drivers \t\t[zlc%s.h]",
     "zlc%s.h",
     {kHeaderFilters[0], kHeaderFilters[1]},
     "h",
     true,
     Generic},
    {"Comma-Delimited File Containing Current Configuration\t[zlc%s.csv]",
     "zlc%s.csv",
     {{"Comma-Separated-Value Files (*.csv)", "*.csv"}, {"All Files (*.*)", "*.*"}},
     "csv",
     true,
     Csv},
    {"ZLC%s Register Quick Reference\t\t\t[zlc%s.html]",
     "zlc%s.html",
     {{"Web Page Files (*.html)", "*.html"}, {"All Files (*.*)", "*.*"}},
     "html",
     false,
     Html},
};

static_assert(std::size(kTargets) == kExportTargetCount);

// Fills the "%s" (chip number) and "%u" (mode number) of a table text by hand:
// names are data, never formats.
std::string FillPattern(std::string_view pattern, unsigned modeNumber) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == 's' || pattern[i + 1] == 'u')) {
            text += pattern[i + 1] == 's' ? std::string(ChipNumber) : std::to_string(modeNumber);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

// Through the one writer: a failed write leaves an existing file as it was, a
// link at the name keeps leading to the new content, and anything but a
// regular file at the name (a terminal, a FIFO, a device) is refused. A name
// the program chose itself (the preview's) never follows a link planted there.
bool WriteWholeFile(const std::string& path, std::string_view bytes, platform::LinkAtName link) {
    // A write-protected file stays protected, as creating over it would fail.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        platform::IsReadOnly(status)) {
        return false;
    }
    platform::WriteOptions options;
    options.link = link;
    int error = 0;
    return platform::WriteFileAtomically(
        path, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, options, error);
}

std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

} // namespace

std::span<const ExportTargetEntry> ExportTargets() {
    return kTargets;
}

const ExportTargetEntry* FindExportTarget(int target) {
    if (target < 0 || target >= kExportTargetCount) {
        return nullptr;
    }
    return &kTargets[target];
}

std::string ExportListText(int target, unsigned modeNumber) {
    const ExportTargetEntry* entry = FindExportTarget(target);
    return entry != nullptr ? FillPattern(entry->listText, modeNumber) : std::string();
}

std::string ExportDefaultName(int target, unsigned modeNumber) {
    const ExportTargetEntry* entry = FindExportTarget(target);
    return entry != nullptr ? FillPattern(entry->defaultName, modeNumber) : std::string();
}

std::string GenerateExport(const ConfigDocument& doc, int target, unsigned buildNumber,
                           unsigned modeNumber) {
    const ExportTargetEntry* entry = FindExportTarget(target);
    return entry != nullptr ? entry->generate(doc, buildNumber, modeNumber) : std::string();
}

std::string ToCrLf(std::string_view text) {
    std::string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            converted += '\r';
        }
        converted += text[i];
    }
    return converted;
}

ExportResult WriteExportFile(const std::optional<std::string>& path, std::string_view namePattern,
                             std::string_view bytes, bool openWithTextEditor,
                             const platform::Opener& opener) {
    const std::string file =
        path ? FullPath(*path) : platform::TemporaryDirectory() + "/" + FillPattern(namePattern, 0);
    const auto link = path ? platform::LinkAtName::Follow : platform::LinkAtName::Refuse;
    if (!WriteWholeFile(file, bytes, link)) {
        return {false, Format("Failed to create file %s", file.c_str())};
    }
    if (path) {
        return {true, {}};
    }
    const auto how =
        openWithTextEditor ? platform::OpenWith::TextEditor : platform::OpenWith::AssociatedProgram;
    if (!opener || !opener(file, how)) {
        return {false, Format("Failed to %s file %s", openWithTextEditor ? "preview" : "execute",
                              file.c_str())};
    }
    return {true, {}};
}

ExportResult ExportTarget(const ConfigDocument& doc, int target,
                          const std::optional<std::string>& path, unsigned modeNumber,
                          const platform::Opener& opener) {
    const ExportTargetEntry* entry = FindExportTarget(target);
    if (entry == nullptr) {
        return {false, Format("There is no export target %d.", target)};
    }
    const std::string text = ToCrLf(entry->generate(doc, BuildNumber, modeNumber));
    // The WinCE name is passed already formatted, so its pattern holds no
    // number that could be filled twice.
    return WriteExportFile(path, ExportDefaultName(target, modeNumber), text,
                           entry->openWithTextEditor, opener);
}

} // namespace zlc

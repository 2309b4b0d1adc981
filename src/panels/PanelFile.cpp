#include "base/Format.h"
#include "panels/PanelList.h"
#include "platform/DataDirectories.h"
#include "platform/FileSystem.h"

#include <filesystem>
#include <limits>
#include <optional>
#include <sys/stat.h>

namespace zlc {

namespace {

constexpr const char* kInvalidFile = "Invalid PANELS.DEF";
constexpr const char* kReadError = "Error reading panel DEF file";

// A line is read into room for 511 characters, the line end included; the rest
// of a longer line comes as the next line.
constexpr size_t kLineRoom = 511;
constexpr size_t kLongestName = 78;
constexpr int kFieldCount = 24;

// Splits the text into the lines a text-mode reader hands out: CR LF reads as
// LF, and a line stops at the room of the line buffer or, as a C string would,
// at a NUL byte.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    std::optional<std::string> Next() {
        if (position_ >= text_.size()) {
            return std::nullopt;
        }
        std::string line;
        while (position_ < text_.size() && line.size() < kLineRoom) {
            char c = text_[position_++];
            if (c == '\r' && position_ < text_.size() && text_[position_] == '\n') {
                c = text_[position_++];
            }
            line.push_back(c);
            if (c == '\n') {
                break;
            }
        }
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        if (const size_t nul = line.find('\0'); nul != std::string::npos) {
            line.resize(nul);
        }
        return line;
    }

  private:
    std::string_view text_;
    size_t position_ = 0;
};

// A signed decimal number at the start of the text; 0 when it does not begin
// with one. Values beyond 32 bits stop at the nearest limit.
int32_t ParseNumber(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= std::numeric_limits<int32_t>::max()) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

// A type word stands for the first type name, in this order, that begins with
// it: "S" is STN and "TF" is TFT, while "TFTX" is no type at all.
int32_t ParseType(std::string_view word) {
    static constexpr std::pair<std::string_view, int32_t> kTypes[] = {
        {"STN", PanelType::STN},
        {"HR-TFT", PanelType::HR_TFT},
        {"D-TFD", PanelType::D_TFD},
        {"TFT", PanelType::TFT},
    };
    for (const auto& [name, type] : kTypes) {
        if (name.starts_with(word)) {
            return type;
        }
    }
    return kPanelUnknown;
}

int32_t ParseFlag(std::string_view word) {
    switch (word.empty() ? '\0' : word.front()) {
    case 'T':
    case '1':
        return 1;
    case 'F':
    case '0':
        return 0;
    case 'n':
        return kPanelNotApplicable;
    default:
        return kPanelUnknown;
    }
}

int32_t ParseFormat(std::string_view word) {
    switch (word.empty() ? '\0' : word.front()) {
    case '1':
        return 0;
    case '2':
        return 1;
    case 'n':
        return kPanelNotApplicable;
    default:
        return kPanelUnknown;
    }
}

int32_t ParsePolarity(std::string_view word) {
    switch (word.empty() ? '\0' : word.front()) {
    case 'H':
        return 1;
    case 'L':
        return 0;
    case 'n':
        return kPanelNotApplicable;
    default:
        return kPanelUnknown;
    }
}

// Fields 13 and 15 may be "n" where the panel has no such time.
int32_t ParseOptionalNumber(std::string_view word) {
    return word.starts_with('n') ? 0 : ParseNumber(word);
}

// Stores field 2 to 24 into the definition.
void StoreField(PanelDefinition& d, int field, std::string_view word) {
    switch (field) {
    case 2:
        d.type = ParseType(word);
        break;
    case 3:
        d.width = ParseNumber(word);
        break;
    case 4:
        d.height = ParseNumber(word);
        break;
    case 5:
        d.isEL = ParseFlag(word);
        break;
    case 6:
        d.dataWidth = ParseNumber(word);
        break;
    case 7:
        d.needsTft2x = ParseFlag(word);
        break;
    case 8:
        d.dataFormat = ParseFormat(word);
        break;
    case 9:
        d.isColor = ParseFlag(word);
        break;
    case 10:
        d.timing10 = ParseFlag(word);
        break;
    case 11:
        d.pclkKHz = ParseNumber(word);
        break;
    case 12:
        d.timing12 = ParseNumber(word);
        break;
    case 13:
        d.timing13 = ParseOptionalNumber(word);
        break;
    case 14:
        d.timing14 = ParseNumber(word);
        break;
    case 15:
        d.timing15 = ParseOptionalNumber(word);
        break;
    case 16:
        d.fplineStart = ParseNumber(word);
        break;
    case 17:
        d.timing17 = ParseNumber(word);
        break;
    case 18:
        d.fplinePolarity = ParsePolarity(word);
        break;
    case 19:
        d.fpframeStart = ParseNumber(word);
        break;
    case 20:
        d.timing20 = ParseNumber(word);
        break;
    case 21:
        d.fpframePolarity = ParsePolarity(word);
        break;
    case 22:
        d.maskFpshift = ParseFlag(word);
        break;
    case 23:
        d.hndp = ParseNumber(word);
        break;
    case 24:
        d.vndp = ParseNumber(word);
        break;
    default:
        break;
    }
}

// Parses what follows "PANEL ". Empty when the name is malformed: no opening
// quote, no closing quote within 78 characters and the line, or no character
// between the quotes. Fields that the line lacks keep their initial values.
std::optional<PanelDefinition> ParsePanelLine(std::string_view rest) {
    const size_t open = rest.find('"');
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    const size_t close = rest.find('"', open + 1);
    if (close == std::string_view::npos || close == open + 1 || close - open - 1 > kLongestName) {
        return std::nullopt;
    }
    PanelDefinition d;
    d.name = std::string(rest.substr(open + 1, close - open - 1));

    // Only the blank separates fields; a tab is part of a word.
    std::string_view fields = rest.substr(close + 1);
    for (int field = 2; field <= kFieldCount; ++field) {
        const size_t start = fields.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            break;
        }
        fields.remove_prefix(start);
        const size_t end = std::min(fields.find(' '), fields.size());
        StoreField(d, field, fields.substr(0, end));
        fields.remove_prefix(end);
    }
    return d;
}

int32_t ParseVersion(std::string_view rest) {
    const size_t start = rest.find_first_not_of(' ');
    return start == std::string_view::npos ? 0 : ParseNumber(rest.substr(start));
}

void Fail(PanelList& list, const char* message, const PanelMessageSink& showMessage) {
    list.definitions.clear();
    list.loaded = false;
    if (showMessage) {
        showMessage(message);
    }
}

enum class ReadResult { NotOpened, Failed, Read };

// Reads a whole definition file. Only a regular file counts as one: a
// directory or device of that name is passed over as if it did not exist.
ReadResult ReadDefinitionFile(const std::string& path, std::string& text) {
    int error = 0;
    const platform::File file = platform::File::OpenForReading(path, error);
    if (!file.IsOpen()) {
        return ReadResult::NotOpened;
    }
    struct stat status {};
    if (!file.Status(status, error) || !S_ISREG(status.st_mode)) {
        return ReadResult::NotOpened;
    }
    platform::FileBytes bytes;
    if (!file.ReadAll(static_cast<size_t>(status.st_size), bytes, error)) {
        return ReadResult::Failed;
    }
    text.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ReadResult::Read;
}

} // namespace

const char* PanelSourceFileName(PanelSource source) {
    return source == PanelSource::DebugDef ? "DEBUG.DEF" : "PANELS.DEF";
}

void ReadPanelDefinitions(PanelList& list, PanelSource source, std::string_view text,
                          const PanelMessageSink& showMessage) {
    list.source = source;
    LineReader lines(text);
    while (const std::optional<std::string> line = lines.Next()) {
        const std::string_view view(*line);
        if (view.starts_with("VERSION ")) {
            list.fileVersion = ParseVersion(view.substr(8));
        } else if (view.starts_with("PANEL ")) {
            std::optional<PanelDefinition> d = ParsePanelLine(view.substr(6));
            if (!d) {
                Fail(list, kInvalidFile, showMessage);
                return;
            }
            std::string reason;
            if (list.qualify && list.qualify(*d, reason)) {
                // Users get only the panels the chip can drive; the in-house
                // list keeps the others, marked, to show why they fail.
                if (source != PanelSource::DebugDef) {
                    continue;
                }
                d->disqualified = true;
                d->reason = std::move(reason);
            }
            list.definitions.push_back(std::move(*d));
        }
    }
    list.loaded = true;
}

void LoadPanelDefinitions(PanelList& list, const std::string& directory,
                          const PanelMessageSink& showMessage) {
    if (list.loaded) {
        return;
    }
    list.definitions.clear();
    list.fileVersion = 1;
    for (const PanelSource source : {PanelSource::DebugDef, PanelSource::PanelsDef}) {
        list.source = source;
        if (directory.empty()) {
            continue;
        }
        std::string text;
        const std::string path =
            (directory.back() == '/' ? directory : directory + "/") + PanelSourceFileName(source);
        switch (ReadDefinitionFile(path, text)) {
        case ReadResult::NotOpened:
            continue;
        case ReadResult::Failed:
            Fail(list, kReadError, showMessage);
            return;
        case ReadResult::Read:
            ReadPanelDefinitions(list, source, text, showMessage);
            return;
        }
    }
}

namespace {

bool HoldsPanelFile(const std::string& directory) {
    std::error_code ignored;
    for (const PanelSource source : {PanelSource::DebugDef, PanelSource::PanelsDef}) {
        if (!directory.empty() &&
            std::filesystem::exists(std::filesystem::path(directory) / PanelSourceFileName(source),
                                    ignored)) {
            return true;
        }
    }
    return false;
}

} // namespace

void LoadPanelDefinitions(PanelList& list, const PanelMessageSink& showMessage) {
    // A file beside the program wins; an installed program has none there and
    // reads the one of its data directory.
    const std::vector<std::string> directories = platform::DataDirectories();
    for (const std::string& directory : directories) {
        if (HoldsPanelFile(directory)) {
            LoadPanelDefinitions(list, directory, showMessage);
            return;
        }
    }
    LoadPanelDefinitions(list, directories.front(), showMessage);
}

std::string PanelFileMessages(const PanelList& list) {
    if (!list.loaded || list.fileVersion == PanelList::kRequiredVersion) {
        return {};
    }
    return Format("ERROR: Version %d of %s is required (you are currently using version %d).\n",
                  PanelList::kRequiredVersion, PanelSourceFileName(list.source), list.fileVersion);
}

} // namespace zlc

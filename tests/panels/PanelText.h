#pragma once

#include "panels/PanelList.h"

#include <sstream>
#include <string>
#include <vector>

namespace zlc::test {

// Fields 2 to 24 of a TFT panel that the chip can drive.
inline const std::vector<std::string> kTftFields = {
    "TFT", "320", "240", "F",  "12", "F", "n",  "T", "F", "6300", "60", "30",
    "400", "3",   "16",  "50", "L",  "4", "15", "L", "n", "80",   "22"};

using FieldChanges = std::vector<std::pair<int, std::string>>;

// A PANEL line; `changes` replaces fields by number (2 to 24).
inline std::string PanelLine(const std::string& name, const FieldChanges& changes = {}) {
    std::vector<std::string> fields = kTftFields;
    for (const auto& [field, value] : changes) {
        fields[static_cast<size_t>(field - 2)] = value;
    }
    std::string line = "PANEL \"" + name + "\"";
    for (const std::string& field : fields) {
        line.append(" ").append(field);
    }
    return line.append("\n");
}

// "2=S 5=True" as changes of fields 2 and 5.
inline FieldChanges ParseChanges(const std::string& text) {
    std::istringstream words(text);
    FieldChanges changes;
    for (std::string word; words >> word;) {
        const size_t equals = word.find('=');
        changes.emplace_back(std::stoi(word.substr(0, equals)), word.substr(equals + 1));
    }
    return changes;
}

// The member that field 2 to 24 of a PANEL line lands in.
inline int32_t Field(const PanelDefinition& d, int field) {
    const PanelDefinition* p = &d;
    const int32_t values[] = {
        p->type,        p->width,          p->height,       p->isEL,     p->dataWidth,
        p->needsTft2x,  p->dataFormat,     p->isColor,      p->timing10, p->pclkKHz,
        p->timing12,    p->timing13,       p->timing14,     p->timing15, p->fplineStart,
        p->timing17,    p->fplinePolarity, p->fpframeStart, p->timing20, p->fpframePolarity,
        p->maskFpshift, p->hndp,           p->vndp};
    return values[field - 2];
}

struct ReadResult {
    PanelList list;
    std::vector<std::string> messages;
};

// Reads a definition text as the loader would, collecting the messages.
inline ReadResult Read(const std::string& text, PanelSource source = PanelSource::PanelsDef) {
    ReadResult result{PanelList(QualifyPanel), {}};
    ReadPanelDefinitions(result.list, source, text,
                         [&](const std::string& message) { result.messages.push_back(message); });
    return result;
}

} // namespace zlc::test

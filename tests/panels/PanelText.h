#pragma once

#include "panels/PanelList.h"

#include <string>
#include <vector>

namespace zlc::test {

// Fields 2 to 24 of a TFT panel that the chip can drive.
inline const std::vector<std::string> kTftFields = {
    "TFT", "320", "240", "F",  "12", "F", "n",  "T", "F", "6300", "60", "30",
    "400", "3",   "16",  "50", "L",  "4", "15", "L", "n", "80",   "22"};

// A PANEL line; `changes` replaces fields by number (2 to 24).
inline std::string PanelLine(const std::string& name,
                             const std::vector<std::pair<int, std::string>>& changes = {}) {
    std::vector<std::string> fields = kTftFields;
    for (const auto& [field, value] : changes) {
        fields[static_cast<size_t>(field - 2)] = value;
    }
    std::string line = "PANEL \"";
    line.append(name).append("\"");
    for (const std::string& field : fields) {
        line.append(" ").append(field);
    }
    return line.append("\n");
}

struct ReadResult {
    PanelList list;
    std::vector<std::string> messages;
};

// Reads a definition text as the loader would, collecting the messages.
inline ReadResult Read(const std::string& text, PanelSource source = PanelSource::PanelsDef,
                       QualificationRule rule = QualifyPanel) {
    ReadResult result{PanelList(std::move(rule)), {}};
    ReadPanelDefinitions(result.list, source, text,
                         [&](const std::string& message) { result.messages.push_back(message); });
    return result;
}

} // namespace zlc::test

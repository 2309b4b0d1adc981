#pragma once

#include "panels/PanelList.h"

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace zlc::test {

// Fields 2 to 24 of a TFT panel that the chip can drive.
inline const std::vector<std::string> kTftFields = {
    "TFT", "320", "240", "F",  "12", "F", "n",  "T", "F", "6300", "60", "30",
    "400", "3",   "16",  "50", "L",  "4", "15", "L", "n", "80",   "22"};

// "2=S 5=True": field 2 is S and field 5 True.
inline std::vector<std::pair<int, std::string>> ParseChanges(const std::string& text) {
    std::istringstream words(text);
    std::vector<std::pair<int, std::string>> changes;
    for (std::string word; words >> word;) {
        const size_t equals = word.find('=');
        changes.emplace_back(std::stoi(word.substr(0, equals)), word.substr(equals + 1));
    }
    return changes;
}

// A PANEL line with the fields `changes` names changed.
inline std::string PanelLine(const std::string& name, const std::string& changes = "") {
    std::vector<std::string> fields = kTftFields;
    for (const auto& [field, value] : ParseChanges(changes)) {
        fields[static_cast<size_t>(field - 2)] = value;
    }
    std::string line = "PANEL \"" + name + "\"";
    for (const std::string& field : fields) {
        line.append(" ").append(field);
    }
    return line.append("\n");
}

// The member that field 2 to 24 of a PANEL line lands in.
inline int32_t Field(const PanelDefinition& d, int field) {
    return std::array{d.type,           d.width,        d.height,      d.isEL,
                      d.dataWidth,      d.needsTft2x,   d.dataFormat,  d.isColor,
                      d.timing10,       d.pclkKHz,      d.timing12,    d.timing13,
                      d.timing14,       d.timing15,     d.fplineStart, d.timing17,
                      d.fplinePolarity, d.fpframeStart, d.timing20,    d.fpframePolarity,
                      d.maskFpshift,    d.hndp,         d.vndp}[field - 2];
}

// Reads a definition text as the loader would, collecting the messages.
inline PanelList Read(const std::string& text, PanelSource source = PanelSource::PanelsDef,
                      std::vector<std::string>* messages = nullptr) {
    PanelList list;
    ReadPanelDefinitions(list, source, text, [&](const std::string& message) {
        if (messages != nullptr) {
            messages->push_back(message);
        }
    });
    return list;
}

} // namespace zlc::test

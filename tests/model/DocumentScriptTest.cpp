// Runs the document scripts of tests/data/model: each step changes a default
// configuration or checks what the model makes of it.

#include "cases/CaseFile.h"
#include "model/DocumentUpdates.h"
#include "model/ModeDescription.h"
#include "model/SettingsTable.h"
#include "model/Validation.h"

#include <cstring>

namespace zlc::test {
namespace {

uint32_t Word(std::istream& in) {
    std::string word;
    in >> word;
    return static_cast<uint32_t>(std::stoul(word, nullptr, 0));
}

// The rest of the step, its escapes read.
std::string Rest(std::istream& in) {
    std::string rest;
    std::getline(in >> std::ws, rest);
    return Unescape(rest);
}

void Step(ConfigDocument& doc, const std::string& op, std::istream& in) {
    if (op == "set") { // set ID VALUE [CHANGED]: the answer too when given
        const int id = static_cast<int>(Word(in));
        const bool changed = SetSetting(doc, id, Word(in));
        if (std::string expected; in >> expected) {
            EXPECT_EQ(changed, expected == "changed");
        }
    } else if (op == "setreg") {
        const int index = static_cast<int>(Word(in));
        doc.SetRegister(index, Word(in));
    } else if (op == "reg") { // reg INDEX MASK VALUE
        const int index = static_cast<int>(Word(in));
        const uint32_t mask = Word(in);
        EXPECT_EQ(doc.GetRegister(index) & mask, Word(in));
    } else if (op == "get" || op == "min" || op == "max") {
        const int id = static_cast<int>(Word(in));
        const auto read = op == "get" ? GetSetting : op == "min" ? GetSettingMin : GetSettingMax;
        EXPECT_EQ(read(doc, id), Word(in));
    } else if (op == "text") {
        const int id = static_cast<int>(Word(in));
        EXPECT_EQ(FormatSettingValue(doc, id), Rest(in));
    } else if (op == "format2") {
        EXPECT_EQ(doc.format2Selected, Word(in) != 0);
    } else if (op == "mode") {
        EXPECT_EQ(ModeDescription(doc), Rest(in));
    } else if (op == "errors") {
        EXPECT_EQ(CheckErrors(doc), Rest(in));
    } else if (op == "warnings") {
        EXPECT_EQ(CheckWarnings(doc), Rest(in));
    } else if (op == "framerate") {
        UpdateFrameRate(doc);
    } else {
        ADD_FAILURE() << "unknown step " << op;
    }
}

class DocumentScript : public ::testing::TestWithParam<Case> {};

TEST_P(DocumentScript, EachStepHolds) {
    ConfigDocument doc;
    std::istringstream steps(GetParam()["steps"]);
    for (std::string line; std::getline(steps, line);) {
        SCOPED_TRACE(line);
        std::istringstream in(line);
        if (std::string op; in >> op && op[0] != '#') {
            Step(doc, op, in);
        }
    }
}

ZLC_CASES(DocumentScript, "model/documents.txt");

} // namespace
} // namespace zlc::test

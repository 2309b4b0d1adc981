// The pages, the register list and the Diagnostics box driven as a user
// drives them, from the scripts of tests/data/ui/page-scripts.txt. Each line
// of a script is an action or a check; a check that fails names its line.
#include "FakeHosts.h"
#include "cases/CaseFile.h"
#include "model/SettingTexts.h"
#include "model/SettingsTable.h"
#include "support/TempDir.h"

#include <cstring>
#include <sstream>
#include <utility>

namespace zlc::ui {
namespace {

using zlc::test::Case;

constexpr int kRegisterList = 1701, kRegisterValue = 2102;

// One line of a script: words, then after " = " a value (its escapes read).
struct Line {
    explicit Line(const std::string& line) : text(line), head(line.substr(0, line.find(" = "))) {
        hasValue = head.size() < text.size();
        value = hasValue ? zlc::test::Unescape(line.substr(head.size() + 3)) : "";
        std::istringstream in(head);
        for (std::string word; in >> word;) {
            words.push_back(word);
        }
    }
    // The word at `index` as a number (0x... for hexadecimal); 0 when absent.
    int Number(size_t index) const {
        return index < words.size() ? int(std::strtol(words[index].c_str(), nullptr, 0)) : 0;
    }
    std::string AfterVerb() const { return head.substr(words[0].size() + 1); }

    std::string text, head, value;
    bool hasValue = false;
    std::vector<std::string> words;
};

// The setting whose short or long name is `name`.
int SettingNamed(const std::string& name) {
    for (const SettingEntry& row : SettingsTable()) {
        if (name == row.shortName || name == row.longName) {
            return row.id;
        }
    }
    throw std::out_of_range("no setting " + name);
}

// Report flags written as "sticky|not-sticky".
int FlagsNamed(const std::string& names) {
    const std::map<std::string, int> flags = {{"error", DIAG_ERROR},
                                              {"sticky", DIAG_STICKY},
                                              {"sticky-always", DIAG_STICKY_ALWAYS},
                                              {"not-sticky", DIAG_NOT_STICKY},
                                              {"force", DIAG_FORCE}};
    int all = 0;
    for (const std::string& name : zlc::test::Split(names, '|')) {
        all |= flags.at(name);
    }
    return all;
}

class PageScript : public test::ShellFixture, public ::testing::WithParamInterface<Case> {
  protected:
    void Run(const Line& line) {
        const std::string& verb = line.words[0];
        const int id = line.Number(1);
        if (dialogRow_ >= 0 && verb != "close") {
            dialogLines_.push_back(line);
        } else if (verb == "open") { // the lines up to "close" play its dialog
            dialogRow_ = id;
        } else if (verb == "close") {
            PlayDialog();
        } else if (verb == "enter") {
            page().PressEnter(id);
        } else if (verb == "quiet") { // the rest of the line writes nothing to the box
            const int writes = host.diagnosticsWrites;
            Run(Line(line.AfterVerb() + (line.hasValue ? " = " + line.value : "")));
            EXPECT_EQ(host.diagnosticsWrites, writes);
        } else if (verb == "tab") {
            ShowTab(id);
        } else if (verb == "click") {
            controls().Click(id);
        } else if (verb == "type") {
            controls().TypeAndLeave(id, line.value);
        } else if (verb == "key-in") {
            controls().Type(id, line.value);
        } else if (verb == "pick") {
            controls().PickItem(id, line.Number(2));
        } else if (verb == "pick-named" || verb == "pick-first") {
            controls().PickItem(id, ItemNamed(id, line.value, verb == "pick-first"));
        } else if (verb == "arrow") {
            controls().PressArrow(id, line.Number(2), line.Number(3));
        } else if (verb == "drag") {
            controls().DragBar(id, line.Number(2), line.Number(3));
        } else if (verb == "set") {
            SetSetting(doc, SettingNamed(line.AfterVerb()), std::stoul(line.value, nullptr, 0));
        } else if (verb == "poke") {
            doc.SetRegister(id, static_cast<uint8_t>(std::stoul(line.value, nullptr, 0)));
        } else if (verb == "user-defined") {
            shell.state().userDefined = {uint32_t(line.Number(1)), uint32_t(line.Number(2))};
        } else if (verb == "remember-block") {
            remembered_ = doc.block;
        } else if (verb == "modify") {
            host.dialogScripts.push_back([line](test::FakeDialogHost& dialog) {
                if (line.hasValue) {
                    dialog.Type(kRegisterValue, line.value);
                }
                dialog.Click(kIdOk);
            });
            page().DoubleClick(kRegisterList, id);
        } else if (verb == "report") {
            reported_ = diagnostics().Update(id, FlagsNamed(line.words.at(2)), line.value);
        } else if (verb == "hold") {
            diagnostics().pendingErrorControl = id;
        } else {
            Check(line);
        }
    }

    void Check(const Line& line) {
        const std::string& verb = line.words[0];
        const std::string& value = line.value;
        const int id = line.Number(1);
        if (verb == "text") {
            EXPECT_EQ(controls().GetText(id), value);
        } else if (verb == "text-starts") {
            EXPECT_TRUE(controls().GetText(id).starts_with(value)) << controls().GetText(id);
        } else if (verb == "setting") {
            EXPECT_EQ(GetSetting(doc, SettingNamed(line.AfterVerb())),
                      std::stoul(value, nullptr, 0));
        } else if (verb == "checked" || verb == "unchecked") {
            for (size_t i = 1; i < line.words.size(); ++i) {
                EXPECT_EQ(controls().IsChecked(line.Number(i)), verb == "checked") << line.words[i];
            }
        } else if (verb == "enabled" || verb == "disabled") {
            for (size_t i = 1; i < line.words.size(); ++i) {
                EXPECT_EQ(controls().IsEnabled(line.Number(i)), verb == "enabled") << line.words[i];
            }
        } else if (verb == "position") {
            EXPECT_EQ(controls().State(id).position, std::stoi(value));
        } else if (verb == "items") {
            EXPECT_EQ(controls().ItemCount(id), std::stoi(value));
        } else if (verb == "selected") {
            EXPECT_EQ(controls().ItemText(id, controls().Selection(id)), value);
        } else if (verb == "selected-starts") {
            EXPECT_TRUE(controls().ItemText(id, controls().Selection(id)).starts_with(value));
        } else if (verb == "limit") {
            EXPECT_EQ(controls().State(id).textLimit, std::stoi(value));
        } else if (verb == "all-selected") {
            EXPECT_TRUE(controls().State(id).allSelected);
        } else if (verb == "focus") {
            EXPECT_EQ(controls().focusRequest, id);
        } else {
            CheckBoxAndRegisters(line);
        }
    }

    void CheckBoxAndRegisters(const Line& line) {
        const std::string& verb = line.words[0];
        const std::string& value = line.value;
        const int id = line.Number(1);
        if (verb == "box") {
            EXPECT_EQ(host.diagnosticsText, value);
        } else if (verb == "box-empty") {
            EXPECT_EQ(host.diagnosticsText, "");
        } else if (verb == "box-starts") {
            EXPECT_TRUE(host.diagnosticsText.starts_with(value)) << host.diagnosticsText;
        } else if (verb == "box-lacks") {
            EXPECT_EQ(host.diagnosticsText.find(value), std::string::npos) << host.diagnosticsText;
        } else if (verb == "highlighted") {
            EXPECT_EQ(host.highlighted, line.words.at(1) == "yes");
        } else if (verb == "beeps") {
            EXPECT_EQ(host.beeps, id);
        } else if (verb == "owner") {
            EXPECT_EQ(diagnostics().stickyOwner(), std::stoi(value));
        } else if (verb == "sticky-empty") {
            EXPECT_EQ(diagnostics().stickyMessage(), "");
        } else if (verb == "pending") {
            EXPECT_EQ(diagnostics().pendingErrorControl, std::stoi(value));
        } else if (verb == "reported") {
            EXPECT_EQ(reported_, std::stoul(value));
        } else if (verb == "tab-refused") {
            EXPECT_FALSE(shell.RequestTab(id));
            EXPECT_NE(shell.currentTab(), id);
        } else if (verb == "block-unchanged") {
            EXPECT_EQ(std::memcmp(&remembered_, &doc.block, sizeof remembered_), 0);
        } else if (verb == "message") {
            ASSERT_FALSE(host.messages.empty());
            EXPECT_EQ(host.messages.back().text, value);
        } else if (verb == "still-open") {
            EXPECT_FALSE(controls().endResult.has_value());
        } else if (verb == "no-dialog") {
            EXPECT_EQ(host.dialog, nullptr);
        } else if (verb == "result") {
            EXPECT_EQ(host.dialog->endResult, std::stoi(value));
        } else if (verb == "register") {
            EXPECT_EQ(doc.GetRegister(id), std::stoul(value, nullptr, 0));
        } else if (verb == "cell") {
            EXPECT_EQ(page().RowText(kRegisterList, id, line.Number(2)), value);
        } else if (verb == "tip") {
            const std::string& tip = page().State(kRegisterList).rowTips.at(size_t(id));
            EXPECT_EQ(tip, value == "breakdown"
                               ? RegisterBreakdown(doc, id)
                               : zlc::test::ReadText(ZLC_TEST_DATA_DIR "/ui/" + value));
        } else {
            FAIL() << "unknown verb " << verb;
        }
    }

    // Opens the dialog of the row given by "open", in which the lines
    // collected since then act.
    void PlayDialog() {
        host.dialogScripts.push_back([this, lines = std::move(dialogLines_)](auto& dialog) {
            dialog_ = &dialog;
            for (const Line& line : lines) {
                SCOPED_TRACE(line.text);
                Run(line);
            }
            dialog_ = nullptr;
        });
        page().DoubleClick(kRegisterList, std::exchange(dialogRow_, -1));
        dialogLines_.clear();
    }

    // The controls that the lines act on: the page's, or an open dialog's.
    test::FakeDialogHost& controls() { return dialog_ != nullptr ? *dialog_ : page(); }
    Diagnostics& diagnostics() { return shell.state().diagnostics; }

    // The item called `name`, or the first that starts with it.
    int ItemNamed(int id, const std::string& name, bool first) {
        for (int i = 0; i < page().ItemCount(id); ++i) {
            const std::string item = page().ItemText(id, i);
            if (item == name || (first && item.starts_with(name))) {
                return i;
            }
        }
        ADD_FAILURE() << "no item " << name;
        return -1;
    }

    ConfigBlock remembered_{};
    size_t reported_ = 0;
    int dialogRow_ = -1;
    std::vector<Line> dialogLines_;
    test::FakeDialogHost* dialog_ = nullptr;
};

TEST_P(PageScript, Runs) {
    const Case& c = GetParam();
    const auto fail = [](const std::string& m) { FAIL() << m; };
    if (c.Or("panels", "") == "shipped") {
        LoadPanelDefinitions(panels, ZLC_BIN_DIR, fail);
    } else if (c.Or("panels", "") == "debug") { // the in-house list: every panel
        const std::string text = zlc::test::ReadText(std::string(ZLC_BIN_DIR) + "/PANELS.DEF");
        ReadPanelDefinitions(panels, PanelSource::DebugDef, text, fail);
    }
    int number = 0;
    for (const std::string& line : zlc::test::Split(c["script"], '\n')) {
        ++number;
        if (line.empty() || line.starts_with("#")) {
            continue;
        }
        SCOPED_TRACE("line " + std::to_string(number) + ": " + line);
        Run(Line(line));
        if (HasFatalFailure()) {
            return;
        }
    }
}
ZLC_CASES(PageScript, "ui/page-scripts.txt");

} // namespace
} // namespace zlc::ui

// The pages, the register list and the Diagnostics box driven as a user
// drives them, from the scripts of tests/data/ui/page-scripts.txt. Each line
// of a script is an action or a check; a check that fails names its line.
#include "FakeHosts.h"
#include "base/Format.h"
#include "cases/CaseFile.h"
#include "model/SettingTexts.h"
#include "model/SettingsTable.h"
#include "support/TempDir.h"
#include "ui/ControlCaptions.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iomanip>
#include <map>
#include <sstream>
#include <utility>

namespace zlc::ui {
namespace {

using zlc::test::Case;

constexpr int kRegisterList = 1701, kRegisterValue = 2102;

// One line of a script: words (a name of several words in double quotes),
// then after " = " a value (its escapes read).
struct Line {
    explicit Line(const std::string& line) : text(line), head(line.substr(0, line.find(" = "))) {
        hasValue = head.size() < text.size();
        value = hasValue ? zlc::test::Unescape(line.substr(head.size() + 3)) : "";
        std::istringstream in(head);
        for (std::string word; in >> std::ws && !in.eof();) {
            if (in.peek() == '"') {
                in >> std::quoted(word);
            } else {
                in >> word;
            }
            words.push_back(word);
        }
    }
    // The word at `index` as a number (0x... for hexadecimal); 0 when absent.
    int Number(size_t index) const {
        return index < words.size() ? int(std::strtol(words[index].c_str(), nullptr, 0)) : 0;
    }
    int Row() const { return Number(1); }
    long Num() const { return std::stol(value, nullptr, 0); }
    std::string AfterVerb() const { return head.substr(words[0].size() + 1); }

    std::string text, head, value;
    bool hasValue = false;
    std::vector<std::string> words;
};

using K = ControlKind;
// The kinds of control that verbs act on or look at, which tell apart
// controls of one name (an up-down and its bar); other verbs take any kind.
const std::vector<std::pair<std::string, std::vector<ControlKind>>> kVerbKinds = {
    {" click ", {K::RadioButton, K::CheckBox, K::PushButton}},
    {" type key-in limit focus all-selected ", {K::Edit, K::ComboEdit}},
    {" pick pick-named pick-first selected selected-starts items ",
     {K::ComboEdit, K::DropList, K::ListView}},
    {" arrow ", {K::UpDown}},
    {" drag position ", {K::Bar}},
    {" enter ", {K::ListView}},
};

// The ids of the controls of `dialog` that `name` names and the verb acts on.
std::vector<int> IdsNamed(const DialogTemplate& dialog, const std::string& name,
                          const std::string& verb,
                          const std::function<std::string(int)>& shown = {}) {
    const auto kinds = std::ranges::find_if(kVerbKinds, [&](const auto& row) {
        return row.first.find(" " + verb + " ") != std::string::npos;
    });
    std::vector<int> ids;
    for (const size_t index : ControlsNamed(dialog, name, shown)) {
        const ControlTemplate& control = dialog.controls[index];
        if (kinds == kVerbKinds.end() || std::ranges::count(kinds->second, control.kind) != 0) {
            ids.push_back(control.id);
        }
    }
    return ids;
}

int OnlyOne(const std::vector<int>& ids, const std::string& name) {
    if (ids.size() != 1) {
        throw std::invalid_argument(Format("\"%s\" names %zu controls", name.c_str(), ids.size()));
    }
    return ids[0];
}

constexpr int kPageCount = 6;

// A control of any page or of the main window: the owners of Diagnostics
// reports; "none" is no control.
int IdAnywhere(const std::string& name) {
    if (name == "none") {
        return 0;
    }
    std::vector<int> ids = IdsNamed(*FindDialogTemplate(Ids::MainDialog), name, "");
    for (int page = 0; page < kPageCount; ++page) {
        for (const int id : IdsNamed(*FindDialogTemplate(Ids::GeneralPage + page), name, "")) {
            ids.push_back(id);
        }
    }
    return OnlyOne(ids, name);
}

// The tab of the page whose title is `name`.
int TabNamed(const std::string& name) {
    for (int page = 0; page < kPageCount; ++page) {
        if (name == FindDialogTemplate(Ids::GeneralPage + page)->caption) {
            return page;
        }
    }
    throw std::invalid_argument("no page " + name);
}

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
        if (dialogRow_ >= 0 && verb != "close") {
            dialogLines_.push_back(line);
        } else if (const auto step = steps_.find(verb); step != steps_.end()) {
            try {
                step->second(line);
            } catch (const std::exception& e) {
                FAIL() << e.what();
            }
        } else {
            FAIL() << "unknown verb " << verb;
        }
    }

    using Step = std::function<void(const Line&)>;
    // What each verb does: an action first, then the checks of what followed.
    std::map<std::string, Step> Steps() {
        return {
            {"tab", [this](auto& l) { ShowTab(TabNamed(l.AfterVerb())); }},
            {"click", [this](auto& l) { controls().Click(Id(l)); }},
            {"type", [this](auto& l) { controls().TypeAndLeave(Id(l), l.value); }},
            {"key-in", [this](auto& l) { controls().Type(Id(l), l.value); }},
            {"pick", [this](auto& l) { controls().PickItem(Id(l), l.Number(2)); }},
            {"pick-named", [this](auto& l) { page().PickItem(Id(l), ItemNamed(l, false)); }},
            {"pick-first", [this](auto& l) { page().PickItem(Id(l), ItemNamed(l, true)); }},
            {"arrow", [this](auto& l) { page().PressArrow(Id(l), l.Number(2), l.Number(3)); }},
            {"drag", [this](auto& l) { page().DragBar(Id(l), l.Number(2), l.Number(3)); }},
            {"enter", [this](auto& l) { page().PressEnter(Id(l)); }},
            {"set", [this](auto& l) { SetSetting(doc, SettingNamed(l.AfterVerb()), l.Num()); }},
            {"poke", [this](auto& l) { doc.SetRegister(l.Row(), static_cast<uint8_t>(l.Num())); }},
            {"user-defined",
             [this](auto& l) {
                 shell.state().userDefined = {uint32_t(l.Number(1)), uint32_t(l.Number(2))};
             }},
            {"remember-block", [this](auto&) { remembered_ = doc.block; }},
            {"modify", [this](auto& l) { Modify(l); }},
            {"open", [this](auto& l) { dialogRow_ = l.Row(); }},
            {"close", [this](auto&) { PlayDialog(); }},
            {"report",
             [this](auto& l) {
                 reported_ = diagnostics().Update(IdAnywhere(l.words.at(1)),
                                                  FlagsNamed(l.words.at(2)), l.value);
             }},
            {"hold",
             [this](auto& l) { diagnostics().pendingErrorControl = IdAnywhere(l.words.at(1)); }},
            {"quiet", [this](auto& l) { Quietly(l); }},

            {"text", [this](auto& l) { EXPECT_EQ(controls().GetText(Id(l)), l.value); }},
            {"text-starts",
             [this](auto& l) { EXPECT_TRUE(controls().GetText(Id(l)).starts_with(l.value)); }},
            {"setting",
             [this](auto& l) { EXPECT_EQ(GetSetting(doc, SettingNamed(l.AfterVerb())), l.Num()); }},
            {"checked", [this](auto& l) { ForEachControl(l, &DialogHost::IsChecked, true); }},
            {"unchecked", [this](auto& l) { ForEachControl(l, &DialogHost::IsChecked, false); }},
            {"enabled", [this](auto& l) { ForEachControl(l, &DialogHost::IsEnabled, true); }},
            {"disabled", [this](auto& l) { ForEachControl(l, &DialogHost::IsEnabled, false); }},
            {"position", [this](auto& l) { EXPECT_EQ(page().State(Id(l)).position, l.Num()); }},
            {"items", [this](auto& l) { EXPECT_EQ(page().ItemCount(Id(l)), l.Num()); }},
            {"selected", [this](auto& l) { EXPECT_EQ(SelectedItem(Id(l)), l.value); }},
            {"selected-starts",
             [this](auto& l) { EXPECT_TRUE(SelectedItem(Id(l)).starts_with(l.value)); }},
            {"limit", [this](auto& l) { EXPECT_EQ(controls().State(Id(l)).textLimit, l.Num()); }},
            {"all-selected", [this](auto& l) { EXPECT_TRUE(page().State(Id(l)).allSelected); }},
            {"focus", [this](auto& l) { EXPECT_EQ(controls().focusRequest, Id(l)); }},
            {"box", [this](auto& l) { EXPECT_EQ(host.diagnosticsText, l.value); }},
            {"box-empty", [this](auto&) { EXPECT_EQ(host.diagnosticsText, ""); }},
            {"box-starts",
             [this](auto& l) {
                 EXPECT_TRUE(host.diagnosticsText.starts_with(l.value)) << host.diagnosticsText;
             }},
            {"box-lacks",
             [this](auto& l) {
                 EXPECT_EQ(host.diagnosticsText.find(l.value), std::string::npos)
                     << host.diagnosticsText;
             }},
            {"highlighted",
             [this](auto& l) { EXPECT_EQ(host.highlighted, l.words.at(1) == "yes"); }},
            {"beeps", [this](auto& l) { EXPECT_EQ(host.beeps, l.Number(1)); }},
            {"owner",
             [this](auto& l) { EXPECT_EQ(diagnostics().stickyOwner(), IdAnywhere(l.value)); }},
            {"sticky-empty", [this](auto&) { EXPECT_EQ(diagnostics().stickyMessage(), ""); }},
            {"pending",
             [this](auto& l) {
                 EXPECT_EQ(diagnostics().pendingErrorControl, IdAnywhere(l.value));
             }},
            {"reported", [this](auto& l) { EXPECT_EQ(static_cast<long>(reported_), l.Num()); }},
            {"tab-refused",
             [this](auto& l) { EXPECT_FALSE(shell.RequestTab(TabNamed(l.AfterVerb()))); }},
            {"block-unchanged",
             [this](auto&) {
                 EXPECT_EQ(std::memcmp(&remembered_, &doc.block, sizeof remembered_), 0);
             }},
            {"message", [this](auto& l) { EXPECT_EQ(LastMessage(), l.value); }},
            {"still-open", [this](auto&) { EXPECT_FALSE(controls().endResult.has_value()); }},
            {"no-dialog", [this](auto&) { EXPECT_EQ(host.dialog, nullptr); }},
            {"result", [this](auto& l) { EXPECT_EQ(host.dialog->endResult, l.Num()); }},
            {"register", [this](auto& l) { EXPECT_EQ(doc.GetRegister(l.Row()), l.Num()); }},
            {"cell",
             [this](auto& l) {
                 EXPECT_EQ(page().RowText(kRegisterList, l.Row(), l.Number(2)), l.value);
             }},
            {"tip",
             [this](auto& l) {
                 EXPECT_EQ(page().State(kRegisterList).rowTips.at(size_t(l.Row())), TipNamed(l));
             }},
        };
    }

    // Opens the row's Modify Register dialog, types the value if any, presses OK.
    void Modify(const Line& line) {
        host.dialogScripts.push_back([line](test::FakeDialogHost& dialog) {
            if (line.hasValue) {
                dialog.Type(kRegisterValue, line.value);
            }
            dialog.Click(kIdOk);
        });
        page().DoubleClick(kRegisterList, line.Row());
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

    // Runs the rest of the line, which must write nothing to the box.
    void Quietly(const Line& line) {
        const int writes = host.diagnosticsWrites;
        Run(Line(line.text.substr(line.words[0].size() + 1)));
        EXPECT_EQ(host.diagnosticsWrites, writes);
    }

    // Every control that each name of the line names.
    void ForEachControl(const Line& line, bool (DialogHost::*state)(int) const, bool expected) {
        for (size_t i = 1; i < line.words.size(); ++i) {
            const std::vector<int> ids = Named(line.words[i], line.words[0]);
            EXPECT_FALSE(ids.empty()) << "no control " << line.words[i];
            for (const int id : ids) {
                EXPECT_EQ((controls().*state)(id), expected) << line.words[i];
            }
        }
    }

    // The controls that `name` names on the page or in the open dialog, as
    // their captions read now.
    std::vector<int> Named(const std::string& name, const std::string& verb) {
        test::FakeDialogHost& dialog = controls();
        return IdsNamed(dialog.Template(), name, verb,
                        [&dialog](int id) { return dialog.GetText(id); });
    }
    // The one control that the line's first name names.
    int Id(const Line& line) {
        return OnlyOne(Named(line.words.at(1), line.words[0]), line.words[1]);
    }

    // The controls that the lines act on: the page's, or an open dialog's.
    test::FakeDialogHost& controls() { return dialog_ != nullptr ? *dialog_ : page(); }
    Diagnostics& diagnostics() { return shell.state().diagnostics; }
    std::string LastMessage() const {
        return host.messages.empty() ? std::string() : host.messages.back().text;
    }
    std::string SelectedItem(int id) { return page().ItemText(id, page().Selection(id)); }

    // The item called as the line's value, or the first that starts with it.
    int ItemNamed(const Line& line, bool first) {
        const int list = Id(line);
        for (int i = 0; i < page().ItemCount(list); ++i) {
            const std::string item = page().ItemText(list, i);
            if (item == line.value || (first && item.starts_with(line.value))) {
                return i;
            }
        }
        ADD_FAILURE() << "no item " << line.value;
        return -1;
    }

    // A register's tip: its breakdown, or the text of a file under tests/data/ui.
    std::string TipNamed(const Line& line) {
        return line.value == "breakdown"
                   ? RegisterBreakdown(doc, line.Row())
                   : zlc::test::ReadText(ZLC_TEST_DATA_DIR "/ui/" + line.value);
    }

    const std::map<std::string, Step> steps_ = Steps();
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

#pragma once

#include "support/BlockImages.h"
#include "support/TempDir.h"
#include "ui/DialogHost.h"
#include "ui/DialogTemplates.h"
#include "ui/Shell.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zlc::ui::test {

// The controls of one dialog as plain state, built from its template, with
// the user's actions (type, tab away, click, pick an item) as methods.
class FakeDialogHost : public DialogHost {
  public:
    struct Control {
        ControlKind kind = ControlKind::Label;
        std::string text;
        bool checked = false;
        bool enabled = true;
        std::vector<std::string> items;
        int selection = -1;
        int low = 0, high = 0, position = 0;
        int textLimit = 0;
        bool allSelected = false;
        UpDownSteps steps;                          // up-down controls
        int buddy = kNoId, step = 1;                // bars
        std::vector<std::vector<std::string>> rows; // list views
        std::vector<std::string> rowTips;
    };

    explicit FakeDialogHost(const DialogTemplate& dialog) : dialog_(dialog) {
        for (const ControlTemplate& c : dialog.controls) {
            if (c.id != kNoId) {
                Control& control = controls_[c.id];
                control.kind = c.kind;
                control.text = c.caption;
                control.enabled = (c.style & ControlStyle::Disabled) == 0;
            }
        }
    }

    // Events go to whatever this returns at the time: the page that the
    // shell created on top of this host.
    void SetEvents(std::function<DialogEvents*()> events) { events_ = std::move(events); }

    // --- what the user does
    void Type(int id, const std::string& text) {
        Control& c = At(id);
        c.text = text;
        c.allSelected = false;
        if (c.kind == ControlKind::ComboEdit) {
            c.selection = -1;
        }
    }
    void TypeAndLeave(int id, const std::string& text) {
        Type(id, text);
        events_()->OnFocusLost(id);
    }
    void Click(int id) {
        Control& c = At(id);
        if (!c.enabled) {
            throw std::logic_error("click on a disabled control");
        }
        if (c.kind == ControlKind::RadioButton) {
            for (int other : RadioGroupOf(id)) {
                At(other).checked = other == id;
            }
        } else if (c.kind == ControlKind::CheckBox) {
            c.checked = !c.checked;
        }
        events_()->OnClicked(id);
    }
    // Choosing an item from the list changes the selection and confirms it.
    void PickItem(int id, int index) {
        Control& c = At(id);
        c.selection = index;
        c.text = c.items.at(static_cast<size_t>(index));
        events_()->OnSelectionChanged(id);
        // Choosing from a combo box confirms the choice; a list box's choice
        // is confirmed by a double click or Enter.
        if (c.kind == ControlKind::ComboEdit || c.kind == ControlKind::DropList) {
            events_()->OnSelectionConfirmed(id);
        }
    }
    // An up-down arrow (+1 up, -1 down) pressed after being held for `heldMs`;
    // the up-down starts from the number in its buddy field.
    void PressArrow(int id, int direction, int heldMs = 0) {
        const Control& c = At(id);
        const std::string& typed = At(UpDownBuddy(dialog_, id)).text;
        const bool isNumber = !typed.empty() && typed.find_first_not_of("0123456789") == typed.npos;
        const int from = isNumber ? std::stoi(typed) : c.position;
        const int to = UpDownStepped(from, direction, c.steps.StepAfter(heldMs), c.low, c.high);
        SetPosition(id, to);
        events_()->OnScrolled(id, to);
    }
    // The pointer dragged to `x` on a bar `width` pixels wide.
    void DragBar(int id, int x, int width) {
        Control& c = At(id);
        c.position = BarPositionAt(x, 0, width, c.low, c.high, c.step);
        if (c.buddy != kNoId) {
            focusRequest = c.buddy;
            At(c.buddy).text = std::to_string(c.position);
        }
        events_()->OnScrolled(id, c.position);
    }

    // Enter on a list with a row selected, and a double click on a row.
    void PressEnter(int id) { events_()->OnRowActivated(id, At(id).selection); }
    void DoubleClick(int id, int row) {
        At(id).selection = row;
        events_()->OnRowActivated(id, row);
    }
    void DoubleClickItem(int id, int index) {
        PickItem(id, index);
        events_()->OnSelectionConfirmed(id);
    }
    // Modal dialogs only.
    void RightDoubleClick() { dynamic_cast<ModalDialog&>(*events_()).OnRightDoubleClick(); }
    void DropFiles(const std::vector<std::string>& files) {
        auto& dialog = dynamic_cast<ModalDialog&>(*events_());
        if (dialog.AcceptsDroppedFiles()) {
            dialog.OnFilesDropped(files);
        }
    }

    // --- what the tests look at
    const Control& State(int id) const { return controls_.at(id); }
    const DialogTemplate& Template() const { return dialog_; }
    std::optional<int> focusRequest;

    // --- DialogHost
    std::string GetText(int id) const override { return controls_.at(id).text; }
    void SetText(int id, const std::string& text) override {
        At(id).text = text;
        At(id).allSelected = false;
    }
    bool IsChecked(int id) const override { return controls_.at(id).checked; }
    void SetChecked(int id, bool checked) override { At(id).checked = checked; }
    bool IsEnabled(int id) const override { return controls_.at(id).enabled; }
    void SetEnabled(int id, bool enabled) override { At(id).enabled = enabled; }
    void ClearItems(int id) override {
        At(id).items.clear();
        At(id).rows.clear();
        At(id).rowTips.clear();
        At(id).selection = -1;
    }
    void AddItem(int id, const std::string& text) override { At(id).items.push_back(text); }
    int ItemCount(int id) const override {
        const Control& c = controls_.at(id);
        return static_cast<int>(c.kind == ControlKind::ListView ? c.rows.size() : c.items.size());
    }
    std::string ItemText(int id, int index) const override {
        return controls_.at(id).items.at(static_cast<size_t>(index));
    }
    int Selection(int id) const override {
        auto it = controls_.find(id);
        return it == controls_.end() ? -1 : it->second.selection;
    }
    void SetSelection(int id, int index) override {
        Control& c = At(id);
        c.selection = index;
        if (index >= 0 && c.kind != ControlKind::ListView) {
            c.text = c.items.at(static_cast<size_t>(index));
        }
    }
    void SetRange(int id, int low, int high) override {
        At(id).low = low;
        At(id).high = high;
    }
    void SetPosition(int id, int position) override {
        Control& c = At(id);
        c.position = position;
        if (c.kind == ControlKind::UpDown) {
            At(UpDownBuddy(dialog_, id)).text = std::to_string(position);
        }
        if (c.kind == ControlKind::SpinField) {
            // An up-down control keeps to its range and shows its position.
            c.position = std::clamp(position, c.low, std::max(c.low, c.high));
            c.text = std::to_string(c.position);
        }
    }
    void SetUpDownSteps(int id, const UpDownSteps& steps) override { At(id).steps = steps; }
    void AttachBar(int bar, int buddy, int step) override {
        At(bar).buddy = buddy;
        At(bar).step = step;
    }
    void SetDropDownWidth(int, int) override {}
    int Position(int id) const override { return controls_.at(id).position; }
    void SetTextLimit(int id, int characters) override { At(id).textLimit = characters; }
    void SelectAllText(int id) override { At(id).allSelected = true; }
    void RequestFocus(int id) override { focusRequest = id; }
    void SetListColumns(int, const std::vector<ListColumn>&) override {}
    void SetRowTexts(int id, int row, const std::vector<std::string>& texts) override {
        auto& rows = At(id).rows;
        if (row == static_cast<int>(rows.size())) {
            rows.emplace_back();
            At(id).rowTips.emplace_back();
        }
        rows.at(static_cast<size_t>(row)) = texts;
    }
    std::string RowText(int id, int row, int column) const override {
        return controls_.at(id).rows.at(static_cast<size_t>(row)).at(static_cast<size_t>(column));
    }
    void SetRowTooltip(int id, int row, const std::string& text) override {
        At(id).rowTips.at(static_cast<size_t>(row)) = text;
    }
    void SetDialogTitle(const std::string& text) override { title = text; }
    void EndDialog(int result) override { endResult = result; }

    std::string title;
    std::optional<int> endResult;

  private:
    Control& At(int id) {
        auto it = controls_.find(id);
        if (it == controls_.end()) {
            throw std::out_of_range("no control " + std::to_string(id));
        }
        return it->second;
    }

    // The radio buttons from the group start before `id` to the next start.
    std::vector<int> RadioGroupOf(int id) const {
        std::vector<int> group;
        bool inGroup = false;
        for (const ControlTemplate& c : dialog_.controls) {
            if ((c.style & ControlStyle::Group) != 0) {
                if (inGroup) {
                    break;
                }
                group.clear();
            }
            if (c.kind == ControlKind::RadioButton) {
                group.push_back(c.id);
            }
            inGroup = inGroup || c.id == id;
        }
        return group;
    }

    const DialogTemplate& dialog_;
    std::function<DialogEvents*()> events_;
    std::map<int, Control> controls_;
};

// The window system around the shell: pages become fake dialog hosts, file
// dialogs take their answers from a queue, message boxes are recorded.
class FakeShellHost : public ShellHost, public DiagnosticsView {
  public:
    // --- ShellHost
    // The title as the window shows it: the mark "[*]" becomes "*" while the
    // document is modified and goes otherwise.
    void SetTitle(const std::string& t) override {
        rawTitle = t;
        ShowTitle();
    }
    void SetModified(bool on) override {
        modified = on;
        ShowTitle();
    }
    void ShowTitle() {
        title = rawTitle;
        if (const size_t mark = title.find("[*]"); mark != std::string::npos) {
            title.replace(mark, 3, modified ? "*" : "");
        }
    }
    SaveAnswer AskSaveChanges(const std::string& question) override {
        questions.push_back(question);
        return saveAnswer;
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (fileScripts.empty()) {
            return std::nullopt;
        }
        auto script = std::move(fileScripts.front());
        fileScripts.pop_front();
        return script(request);
    }
    // The next file dialog answers `name`; nullopt stands for Cancel.
    void AnswerFile(std::optional<std::string> name) {
        fileScripts.push_back([name](const FileDialogRequest&) { return name; });
    }
    void ShowMessage(MessageIcon icon, const std::string& text) override {
        messages.push_back({icon, text});
    }
    void ShowText(const std::string& textTitle, const std::string& text) override {
        texts.push_back({textTitle, text});
    }
    DialogHost& CreatePageHost(const DialogTemplate& pageTemplate) override {
        page = std::make_unique<FakeDialogHost>(pageTemplate);
        page->SetEvents([this] { return shell->currentPage(); });
        return *page;
    }
    void DestroyPageHost() override { page.reset(); }
    void CommitTyping() override {}
    void OpenUrl(const std::string& url) override { openedUrls.push_back(url); }
    void ApplyTooltipDelay(int ms) override { tooltipDelay = ms; }
    platform::StartResult OpenFile(const std::string& path, platform::OpenWith how) override {
        openedFiles.push_back({path, how});
        return {openerWorks, openerWorks ? "" : "xdg-open ended with exit status 4."};
    }
    void ShowProgress(int done, int total) override { progress.push_back({done, total}); }
    void CloseWindow() override { closed = true; }
    // Runs the next script of `dialogScripts` on the dialog's controls; a
    // dialog the script leaves open is closed with Esc.
    int RunModalDialog(ModalDialog& logic) override {
        dialog = std::make_unique<FakeDialogHost>(logic.dialogTemplate());
        dialog->SetEvents([&logic] { return &logic; });
        logic.Attach(*dialog);
        if (!dialogScripts.empty()) {
            auto script = std::move(dialogScripts.front());
            dialogScripts.pop_front();
            script(*dialog);
        }
        if (!dialog->endResult) {
            logic.OnClicked(kIdCancel);
        }
        return dialog->endResult.value_or(kIdCancel);
    }

    // --- DiagnosticsView
    void ShowDiagnostics(const std::string& text) override {
        diagnosticsText = text;
        ++diagnosticsWrites;
    }
    void SetDiagnosticsHighlight(bool on) override { highlighted = on; }
    void ErrorBeep() override { ++beeps; }

    struct Message {
        MessageIcon icon;
        std::string text;
    };

    Shell* shell = nullptr;
    std::string title;
    std::string rawTitle;
    bool modified = false;
    std::vector<std::string> questions;
    SaveAnswer saveAnswer = SaveAnswer::Discard; // for tests that do not ask about it
    std::vector<FileDialogRequest> fileRequests;
    std::vector<Message> messages;
    std::vector<std::pair<std::string, std::string>> texts; // title and text of each shown
    std::unique_ptr<FakeDialogHost> page;
    // The last modal dialog, kept after it ended for the tests to look at.
    std::unique_ptr<FakeDialogHost> dialog;
    std::deque<std::function<void(FakeDialogHost&)>> dialogScripts;
    std::vector<std::string> openedUrls;
    int tooltipDelay = 0;
    // Scripts that play the user in the next file dialogs: they may press the
    // request's buttons and answer the chosen name.
    std::deque<std::function<std::optional<std::string>(const FileDialogRequest&)>> fileScripts;
    struct OpenedFile {
        std::string path;
        platform::OpenWith how;
    };
    std::vector<OpenedFile> openedFiles;
    bool openerWorks = true;
    std::vector<std::pair<int, int>> progress;
    bool closed = false;
    std::string diagnosticsText;
    int diagnosticsWrites = 0;
    bool highlighted = false;
    int beeps = 0;
};

// A started shell on the default configuration, showing the General page.
class ShellFixture : public ::testing::Test {
  protected:
    ShellFixture() : shell(doc, panels, host) {
        host.shell = &shell;
        shell.SetDiagnosticsView(&host);
        shell.Start();
    }

    FakeDialogHost& page() { return *host.page; }
    void ShowTab(int index) { ASSERT_TRUE(shell.RequestTab(index)); }

    // A program carrying `block`, in the test's own directory.
    std::string Program(const std::string& name, const ConfigBlock& block = DefaultConfigBlock()) {
        const std::string path = dir / name;
        zlc::test::WriteFile(path, zlc::test::ImageWith(2048, 640, zlc::test::BlockBytes(block)));
        return path;
    }

    zlc::test::TempDir dir;
    ConfigDocument doc;
    PanelList panels;
    FakeShellHost host;
    Shell shell;
};

} // namespace zlc::ui::test

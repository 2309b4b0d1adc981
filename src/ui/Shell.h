#pragma once

#include "platform/FileIdentity.h"
#include "platform/Opener.h"
#include "ui/DialogTemplates.h"
#include "ui/ExportDialog.h"
#include "ui/ModalDialog.h"
#include "ui/Page.h"
#include "ui/ToolkitCheck.h"
#include "ui/UiState.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zlc::ui {

struct FileFilter {
    std::string description;
    std::string patterns; // "*.exe;*.s9"
    // Also lists files without an extension that are ELF programs: they are
    // configurable, and programs here carry no extension.
    bool withExtensionlessPrograms = false;
};

// A button the file dialog shows beside its own. Pressing it leaves the
// dialog open; a name it answers replaces the text of the file name field.
struct FileDialogButton {
    std::string caption; // with its & mnemonic
    bool enabled = true;
    std::function<std::optional<std::string>()> onClick;
};

struct FileDialogRequest {
    bool open = true; // open dialog, else save dialog
    std::string title;
    std::vector<FileFilter> filters;
    std::string defaultExtension;
    std::string initialName;
    bool mustExist = false;
    bool confirmOverwrite = false;
    std::string acceptLabel; // the accept button's caption; empty: the dialog's own
    std::vector<FileDialogButton> buttons;
};

enum class MessageIcon { Information, Warning, Error, Question };

// What the shell needs of the window system.
class ShellHost {
  public:
    virtual ~ShellHost() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
    virtual void ShowMessage(MessageIcon icon, const std::string& text) = 0;
    // Builds a page's controls from its template, over the tab's display area.
    virtual DialogHost& CreatePageHost(const DialogTemplate& dialog) = 0;
    virtual void DestroyPageHost() = 0;
    // Moves the focus to the tab control, so that a field being typed in
    // commits or rejects its text.
    virtual void CommitTyping() = 0;
    virtual void OpenUrl(const std::string& url) = 0;
    virtual void ApplyTooltipDelay(int milliseconds) = 0;
    // Shows a file to the user with a program of the desktop; false when none
    // could be started.
    virtual bool OpenFile(const std::string& path, platform::OpenWith how) = 0;
    // How many of `total` items a long operation has done; the window is
    // redrawn meanwhile. The display goes once `done` reaches `total`.
    virtual void ShowProgress(int done, int total) = 0;
    // Shows a modal dialog built from its template and runs it until it ends;
    // answers the result it ended with.
    virtual int RunModalDialog(ModalDialog& dialog) = 0;
    virtual void CloseWindow() = 0;
    // A question with Yes and No, No the default; true for Yes.
    virtual bool AskYesNo(const std::string& /*text*/) { return false; }
    // A save waits for another program's lock: `text` is shown with a Cancel
    // button until EndWait. WaitGoesOn, asked while waiting, keeps the window
    // alive and answers false once Cancel was pressed.
    virtual void BeginWait(const std::string& /*text*/) {}
    virtual bool WaitGoesOn() { return true; }
    virtual void EndWait() {}
};

struct PageEntry {
    const char* title;
    int templateId;
};

// The six tabs in order.
std::span<const PageEntry> PageTable();

// State of the menu items when a drop-down menu opens.
struct MenuState {
    bool saveEnabled;
    bool tooltipsChecked;
    bool tooltipsAvailable;
    std::string aboutText;
    int checkedDelayCommand;
};

inline constexpr int kTooltipDelays[] = {100, 250, 500, 1000, 2000, 5000};
inline constexpr int kDefaultTooltipDelayIndex = 1;
inline constexpr const char* kMakerUrl = "https://www.korvane.example/";

// The program around the configuration: the one document, the current page,
// the file name, the menu commands and the title.
class Shell {
  public:
    Shell(ConfigDocument& doc, const PanelList& panels, ShellHost& host);
    ~Shell();

    // Title, start-up recomputations, the General page.
    void Start();

    // A tab change asked for by the user; false when it is refused because an
    // input error is still pending.
    bool RequestTab(int index);
    void ShowPage(int index);
    void Command(int id);
    MenuState Menu() const;
    void DropFiles(const std::vector<std::string>& files);
    // Called before the window goes away: no report reaches the Diagnostics
    // box while the page is torn down.
    void Close();

    // Opens a configurable file as File > Open does once it is chosen, with
    // the same messages.
    void OpenFile(const std::string& path);

    std::string Title() const;
    // The help text of a control, also while tooltips are disabled: what a
    // keyboard or screen-reader user gets in place of the hover tooltip.
    std::string HelpText(int control, int comboParent = 0) const;
    // The tooltip of a control, or nothing while tooltips are disabled.
    std::string TooltipText(int control, int comboParent = 0) const;
    void SetTooltipsAvailable(bool available) { tooltipsAvailable_ = available; }
    void SetToolkitVersions(const ToolkitVersions& versions) { toolkit_ = versions; }

    // The WinCE mode number and the preview directory, kept for the run.
    ExportSession& exportSession() { return exportSession_; }
    // The directory the Configure Multiple browser shows, kept for the run.
    std::string& configureDirectory() { return configureDirectory_; }
    // Which of the About box's pictures is shown, kept for the run.
    int aboutPicture() const { return aboutPicture_; }

    Page* currentPage() { return page_.get(); }
    int currentTab() const { return currentTab_; }
    UiState& state() { return state_; }
    const std::string& currentFileName() const { return currentFileName_; }

  private:
    void UpdateTitle();
    bool CommitPageTyping();
    void Open();
    void Save();
    void SaveAs();
    void ReportSaved();
    void ConfigureMultiple(const std::vector<std::string>& preselected);

    ShellHost& host_;
    UiState state_;
    std::unique_ptr<Page> page_;
    bool pageHostExists_ = false;
    int currentTab_ = 0;
    std::string currentFileName_;
    platform::FileIdentity currentFile_; // as last read or written
    bool tooltipsAvailable_ = true;
    bool tooltipsEnabled_ = true;
    int tooltipDelayIndex_ = kDefaultTooltipDelayIndex;
    ToolkitVersions toolkit_;
    ExportSession exportSession_;
    std::string configureDirectory_;
    int aboutPicture_;
};

// The tooltip of the predefined-panel list, which depends on the file the
// panels came from.
std::string PanelListTooltip(PanelSource source);

// The filters of the Save As dialog for the current file's extension.
std::vector<FileFilter> SaveAsFilters(const std::string& currentFile);

} // namespace zlc::ui

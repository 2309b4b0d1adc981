#pragma once

#include "platform/FileIdentity.h"
#include "platform/Opener.h"
#include "ui/DialogTemplates.h"
#include "ui/ExportDialog.h"
#include "ui/ModalDialog.h"
#include "ui/Page.h"
#include "ui/ShellBaseline.h"
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

inline const FileFilter kAllFiles{"All Files (*.*)", "*.*"};

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

// The answers to "Save changes to FILE before closing?".
enum class SaveAnswer { Save, Discard, Cancel };

// What the shell needs of the window system.
class ShellHost {
  public:
    virtual ~ShellHost() = default;
    // The title holds the mark "[*]" where the window shows that the
    // document differs from its file (SetModified), and nothing otherwise.
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetModified(bool modified) = 0;
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
    virtual void ShowMessage(MessageIcon icon, const std::string& text) = 0;
    // Save, Discard and Cancel, Save the default.
    virtual SaveAnswer AskSaveChanges(const std::string& question) = 0;
    // Builds a page's controls from its template, over the tab's display area.
    virtual DialogHost& CreatePageHost(const DialogTemplate& dialog) = 0;
    virtual void DestroyPageHost() = 0;
    // Moves the focus to the tab control, so that a field being typed in
    // commits or rejects its text.
    virtual void CommitTyping() = 0;
    virtual void OpenUrl(const std::string& url) = 0;
    virtual void ApplyTooltipDelay(int milliseconds) = 0;
    // Shows a file to the user with a program of the desktop; fails with the
    // reason when none could be started or the opener reported a failure.
    virtual platform::StartResult OpenFile(const std::string& path, platform::OpenWith how) = 0;
    // How many of `total` items a long operation has done; the window is
    // redrawn meanwhile. The display goes once `done` reaches `total`.
    virtual void ShowProgress(int done, int total) = 0;
    // Shows a modal dialog built from its template and runs it until it ends;
    // answers the result it ended with.
    virtual int RunModalDialog(ModalDialog& dialog) = 0;
    virtual void CloseWindow() = 0;
    // Shows a text the user may read at leisure and copy, under `title`.
    virtual void ShowText(const std::string& /*title*/, const std::string& text) {
        ShowMessage(MessageIcon::Information, text);
    }
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
    // Asked before the window closes: false when the user keeps it open,
    // by Cancel or by a Save that failed.
    bool QueryClose();
    // Called before the window goes away: no report reaches the Diagnostics
    // box while the page is torn down.
    void Close();

    // Opens a configurable file as File > Open does once it is chosen, with
    // the same question and messages.
    void OpenFile(const std::string& path);

    // Whether the document differs from what its file holds (from the
    // default configuration while no file is open). Pages change the
    // document at any time; the host calls DocumentChanged after each change
    // it learns of, and the window's mark follows.
    bool IsModified() const;
    void DocumentChanged();
    // Where the Diagnostics text goes. Every change of the document is
    // followed by a Diagnostics report, so the shell watches the reports
    // on their way to learn of the changes.
    void SetDiagnosticsView(DiagnosticsView* view);

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
    // Asks whether to save a modified document before it is replaced or the
    // window closes; true when the work may go on.
    bool SaveChangesFirst();
    void Open();
    void Load(const std::string& path);
    bool Save();
    bool SaveAs();
    void MarkSaved();
    void ReportSaved();
    void ConfigureMultiple(const std::vector<std::string>& preselected);
    // The page and the Diagnostics box after the document changed under them.
    void ShowChangedDocument(const std::string& note = {});
    // The commands beyond the classic menus; false for any other id.
    bool RunDocumentCommand(int id);

    class ChangeWatcher : public DiagnosticsView {
      public:
        explicit ChangeWatcher(Shell& shell) : shell_(shell) {}
        void ShowDiagnostics(const std::string& text) override;
        void SetDiagnosticsHighlight(bool highlight) override;
        void ErrorBeep() override;
        DiagnosticsView* view = nullptr;

      private:
        Shell& shell_;
    };

    ShellHost& host_;
    UiState state_;
    ChangeWatcher changeWatcher_{*this};
    std::unique_ptr<Page> page_;
    bool pageHostExists_ = false;
    int currentTab_ = 0;
    std::string currentFileName_;
    DocumentBaseline baseline_;
    bool shownModified_ = false;
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

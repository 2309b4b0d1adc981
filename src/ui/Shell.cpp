#include "ui/Shell.h"

#include "base/AsciiCase.h"
#include "base/BuildInfo.h"
#include "base/Format.h"
#include "files/ConfigFile.h"
#include "model/DocumentUpdates.h"
#include "platform/PrivateDirectory.h"
#include "ui/AboutDialog.h"
#include "ui/AppIdentity.h"
#include "ui/BoardCommands.h"
#include "ui/ConfigureMultipleDialog.h"
#include "ui/ControlBindings.h"
#include "ui/GuardedSave.h"
#include "ui/PanelPage.h"
#include "ui/SettingsFileCommands.h"

#include <algorithm>
#include <filesystem>

namespace zlc::ui {

namespace {

constexpr PageEntry kPages[] = {
    {"General", Ids::GeneralPage},        {"Preferences", Ids::PreferencesPage},
    {"Clocks", Ids::ClocksPage},          {"Panel", Ids::PanelPage},
    {"Panel Power", Ids::PanelPowerPage}, {"Registers", Ids::RegistersPage},
};

std::string FileNamePart(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// ".IDP" for "x.idp"; empty for a name without an extension.
std::string UpperExtension(const std::string& path) {
    return ToAsciiUpper(std::filesystem::path(path).extension().string());
}

FileDialogRequest OpenRequest() {
    FileDialogRequest request;
    request.open = true;
    request.title = "Open";
    request.defaultExtension = "exe";
    request.mustExist = true;
    request.filters = {
        {"All Configurable Files (.exe;.s9;.idp;.elf;.lvb;.prc)",
         "*.exe;*.s9;*.idp;*.elf;*.lvb;*.prc", true},
        {"EXE Files", "*.EXE"},
        {"ELF Files", "*.ELF"},
        {"S9 Files", "*.S9"},
        {"IDP Files", "*.IDP"},
        {"LVEB-SH3 Files", "*.LVB"},
        {"PRC Files", "*.PRC"},
        kAllFiles,
    };
    return request;
}

// Commands that write the document out: the field being typed in is
// committed first, as leaving it would, and a rejected value stops them, so
// that nothing is written without what the user typed. (Open commits too, but
// the file it loads replaces the document and clears any input error.)
bool NeedsCommittedTyping(int command) {
    return command == Commands::Save || command == Commands::SaveAs ||
           command == Commands::ConfigureMultiple || command == Commands::Export ||
           command == Commands::ImportSettings || command == Commands::ExportSettings ||
           command == Commands::ApplyToBoard || command == Commands::CompareWithBoard ||
           command == Commands::ReadBoardRegisters;
}

} // namespace

std::span<const PageEntry> PageTable() {
    return kPages;
}

std::string PanelListTooltip(PanelSource source) {
    const std::string rule(50, '_');
    if (source == PanelSource::DebugDef) {
        return "Since you are using DEBUG.DEF instead of PANELS.DEF, this list is now in a special "
               "\"predefined panel debug mode\". This list contains all the panels that we current "
               "have in-house (at one point or another). However, several panel definitions are "
               "(**)disqualified because we don't have working stats for them in DEBUG.DEF.\n" +
               rule +
               "\nIMPORTANT NOTE: Do not provide DEBUG.DEF to any customers outside of KRV. Send "
               "them the official PANELS.DEF instead. This particular version includes "
               "definitions for panels that we do not desire to be made public.";
    }
    return "Selects from a list of predefined panels defined in the PANELS.DEF file. If this DEF "
           "file doesn't exist in the same directory as this program, this list will be empty.\n" +
           rule +
           "\nIMPORTANT NOTE: These predefined panel settings are for reference only; you use it "
           "at your own risk. You MUST verify all entries in this program before applying your "
           "configuration to a panel.";
}

std::vector<FileFilter> SaveAsFilters(const std::string& currentFile) {
    static const FileFilter kByExtension[] = {
        {"EXE Files", "*.EXE"}, {"ELF Files", "*.ELF"},      {"S9 Files", "*.S9"},
        {"IDP Files", "*.IDP"}, {"LVEB-SH3 Files", "*.LVB"}, {"PRC Files", "*.PRC"},
    };
    const std::string extension = UpperExtension(currentFile);
    for (const FileFilter& filter : kByExtension) {
        if (!extension.empty() && filter.patterns == "*" + extension) {
            return {filter, kAllFiles};
        }
    }
    return {kAllFiles};
}

Shell::Shell(ConfigDocument& doc, const PanelList& panels, ShellHost& host)
    : host_(host), state_(doc, panels), aboutPicture_(AboutIds::FirstPicture) {
    state_.shellHost = &host_;
    exportSession_.previewBase = platform::PrivateDirectoryBase();
    state_.diagnostics.SetPanelFileMessages([&panels] { return PanelFileMessages(panels); });
}

Shell::~Shell() = default;

void Shell::Start() {
    UpdateFrameRate(state_.doc);
    // What start-up brought in line is the configuration as it begins.
    baseline_.Take(state_.doc);
    UpdateTitle();
    host_.ApplyTooltipDelay(kTooltipDelays[tooltipDelayIndex_]);
    ShowPage(0);
}

std::string Shell::Title() const {
    const std::string program =
        Format("ZLC%s Configuration Utility  (%sBuild %u)", ChipNumber, "", BuildNumber);
    if (currentFileName_.empty()) {
        return program + "[*]";
    }
    return FileNamePart(currentFileName_) + "[*] - " + program;
}

void Shell::UpdateTitle() {
    host_.SetTitle(Title());
    shownModified_ = IsModified();
    host_.SetModified(shownModified_);
}

bool Shell::IsModified() const {
    return baseline_.Differs(state_.doc);
}

void Shell::DocumentChanged() {
    if (IsModified() != shownModified_) {
        shownModified_ = !shownModified_;
        host_.SetModified(shownModified_);
    }
}

void Shell::SetDiagnosticsView(DiagnosticsView* view) {
    changeWatcher_.view = view;
    state_.diagnostics.SetView(view != nullptr ? &changeWatcher_ : nullptr);
}

void Shell::ChangeWatcher::ShowDiagnostics(const std::string& text) {
    view->ShowDiagnostics(text);
}

// Every report sets the highlight, whether or not the text changed.
void Shell::ChangeWatcher::SetDiagnosticsHighlight(bool highlight) {
    view->SetDiagnosticsHighlight(highlight);
    shell_.DocumentChanged();
}

void Shell::ChangeWatcher::ErrorBeep() {
    view->ErrorBeep();
}

void Shell::MarkSaved() {
    baseline_.Take(state_.doc);
    UpdateTitle();
}

void Shell::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kPages))) {
        return;
    }
    page_.reset();
    if (pageHostExists_) {
        host_.DestroyPageHost();
        pageHostExists_ = false;
    }
    currentTab_ = index;
    const DialogTemplate* dialog = FindDialogTemplate(kPages[index].templateId);
    if (dialog == nullptr) {
        return;
    }
    DialogHost& pageHost = host_.CreatePageHost(*dialog);
    pageHostExists_ = true;
    page_ = MakePage(dialog->id, pageHost, state_);
    if (page_) {
        page_->Create();
    }
    DocumentChanged(); // a page may bring the document in line as it is made
}

bool Shell::RequestTab(int index) {
    if (state_.diagnostics.pendingErrorControl != 0) {
        return false;
    }
    ShowPage(index);
    return true;
}

bool Shell::CommitPageTyping() {
    host_.CommitTyping();
    return state_.diagnostics.pendingErrorControl == 0;
}

void Shell::Command(int id) {
    if (NeedsCommittedTyping(id) && !CommitPageTyping()) {
        return;
    }
    if (RunDocumentCommand(id)) {
        return;
    }
    switch (id) {
    case Commands::Open:
        Open();
        break;
    case Commands::Save:
        Save();
        break;
    case Commands::SaveAs:
        if (!currentFileName_.empty()) {
            SaveAs();
        }
        break;
    case Commands::ConfigureMultiple:
        ConfigureMultiple({});
        break;
    case Commands::Export:
        RunExport(host_, state_.doc, exportSession_);
        break;
    case Commands::UpdateCommonControls:
        host_.ShowMessage(MessageIcon::Information, ToolkitUpdateAdvice(toolkit_));
        break;
    case Commands::About: {
        AboutDialog about(aboutPicture_);
        host_.RunModalDialog(about);
        break;
    }
    case Commands::Exit:
        host_.CloseWindow();
        break;
    case Commands::EnableTooltips:
        tooltipsEnabled_ = !tooltipsEnabled_;
        break;
    case Commands::Web:
        host_.OpenUrl(kMakerUrl);
        break;
    default:
        if (id >= Commands::FirstTooltipDelay &&
            id < Commands::FirstTooltipDelay + static_cast<int>(std::size(kTooltipDelays))) {
            tooltipDelayIndex_ = id - Commands::FirstTooltipDelay;
            host_.ApplyTooltipDelay(kTooltipDelays[tooltipDelayIndex_]);
        }
        break;
    }
}

MenuState Shell::Menu() const {
    return {!currentFileName_.empty(), tooltipsAvailable_ && tooltipsEnabled_, tooltipsAvailable_,
            Format("&About %sCFG...", ChipNumber),
            Commands::FirstTooltipDelay + tooltipDelayIndex_};
}

// A value still being typed is part of the work the question is about; one
// that its field refused is not, and stays on screen for a Cancel.
bool Shell::SaveChangesFirst() {
    host_.CommitTyping();
    if (!IsModified()) {
        return true;
    }
    const std::string file =
        currentFileName_.empty() ? "the configuration" : FileNamePart(currentFileName_);
    switch (host_.AskSaveChanges(Format("Save changes to %s before closing?", file.c_str()))) {
    case SaveAnswer::Save:
        return currentFileName_.empty() ? SaveAs() : Save();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void Shell::Open() {
    if (!SaveChangesFirst()) {
        return;
    }
    if (const auto path = host_.ChooseFile(OpenRequest())) {
        host_.CommitTyping();
        Load(*path);
    }
}

void Shell::OpenFile(const std::string& path) {
    if (SaveChangesFirst()) {
        Load(path);
    }
}

void Shell::Load(const std::string& path) {
    const FileOutcome outcome = LoadConfigFile(state_.doc, path);
    if (!outcome.ok) {
        host_.ShowMessage(MessageIcon::Warning, outcome.message);
        return;
    }
    currentFileName_ = path;
    RememberPanelChoices(state_);
    currentFile_ = outcome.file;
    MarkSaved();
    ShowPage(currentTab_);
    state_.diagnostics.Update(Ids::DiagnosticsBox, DIAG_FORCE);
}

bool Shell::RunDocumentCommand(int id) {
    std::string note;
    switch (id) {
    case Commands::ImportSettings:
        if (ImportSettings(state_, host_)) {
            ShowChangedDocument();
        }
        return true;
    case Commands::ExportSettings:
        ExportSettings(state_, host_);
        return true;
    case Commands::ApplyToBoard:
        ApplyToBoard(state_, host_);
        return true;
    case Commands::CompareWithBoard:
        CompareWithBoard(state_, host_);
        return true;
    case Commands::ReadBoardRegisters:
        if (ReadRegistersFromBoard(state_, host_, note)) {
            ShowChangedDocument(note);
        }
        return true;
    default:
        return false;
    }
}

void Shell::ShowChangedDocument(const std::string& note) {
    ShowPage(currentTab_);
    state_.diagnostics.Update(Ids::DiagnosticsBox, DIAG_FORCE, note);
}

void Shell::ReportSaved() {
    host_.ShowMessage(MessageIcon::Information,
                      Format("Configuration data saved in file \"%s\".", currentFileName_.c_str()));
}

// A failed save keeps the file name, so that Save can be tried again once
// the cause is mended and Save As can put the work elsewhere.
bool Shell::Save() {
    if (currentFileName_.empty()) {
        return false;
    }
    const std::optional<FileOutcome> saved =
        GuardedSave(host_, state_.doc, currentFileName_, currentFile_, std::nullopt);
    if (!saved) {
        return false; // declined or cancelled by the user
    }
    const FileOutcome& outcome = *saved;
    if (!outcome.ok) {
        host_.ShowMessage(MessageIcon::Warning, outcome.message);
        return false;
    }
    currentFile_ = IdentityNow(currentFileName_);
    MarkSaved();
    ReportSaved();
    return true;
}

// With no file open (only the close question gets here then) the chosen
// file receives the configuration in place, as Configure Multiple writes it.
bool Shell::SaveAs() {
    FileDialogRequest request;
    request.open = false;
    request.title = "Save As";
    request.initialName = currentFileName_;
    request.confirmOverwrite = true;
    request.filters = SaveAsFilters(currentFileName_);
    const auto chosen = host_.ChooseFile(request);
    if (!chosen) {
        return false;
    }
    // With no file open the chosen file is written in place, as the file
    // it now is.
    const std::optional<FileOutcome> saved =
        currentFileName_.empty()
            ? GuardedSave(host_, state_.doc, *chosen, IdentityNow(*chosen), std::nullopt)
            : GuardedSave(host_, state_.doc, currentFileName_, currentFile_, *chosen);
    if (!saved) {
        return false;
    }
    const FileOutcome& outcome = *saved;
    if (!outcome.ok) {
        host_.ShowMessage(MessageIcon::Warning, outcome.message);
        return false;
    }
    currentFileName_ = *chosen;
    currentFile_ = IdentityNow(currentFileName_);
    MarkSaved();
    ReportSaved();
    return true;
}

void Shell::ConfigureMultiple(const std::vector<std::string>& preselected) {
    ConfigureMultipleDialog dialog(state_.doc, host_, configureDirectory_, preselected);
    host_.RunModalDialog(dialog);
}

void Shell::DropFiles(const std::vector<std::string>& files) {
    if (!files.empty()) {
        ConfigureMultiple(files);
    }
}

bool Shell::QueryClose() {
    return SaveChangesFirst();
}

void Shell::Close() {
    state_.diagnostics.pendingErrorControl = kClosingControl;
    page_.reset();
    if (pageHostExists_) {
        host_.DestroyPageHost();
        pageHostExists_ = false;
    }
}

std::string Shell::TooltipText(int control, int comboParent) const {
    if (!tooltipsAvailable_ || !tooltipsEnabled_) {
        return {};
    }
    return HelpText(control, comboParent);
}

std::string Shell::HelpText(int control, int comboParent) const {
    if (control == Ids::DiagnosticsBox) {
        return state_.diagnostics.shownText();
    }
    if (control == PanelPage::kPanelList) {
        return PanelListTooltip(state_.panels.source);
    }
    return ControlTooltip(control, comboParent);
}

} // namespace zlc::ui

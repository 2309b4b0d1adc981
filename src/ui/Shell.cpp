#include "ui/Shell.h"

#include "base/AsciiCase.h"
#include "base/BuildInfo.h"
#include "base/Format.h"
#include "files/ConfigFile.h"
#include "model/DocumentUpdates.h"
#include "platform/PrivateDirectory.h"
#include "ui/AboutDialog.h"
#include "ui/AppIdentity.h"
#include "ui/ConfigureMultipleDialog.h"
#include "ui/ControlBindings.h"
#include "ui/GuardedSave.h"

#include <algorithm>
#include <filesystem>

namespace zlc::ui {

namespace {

constexpr PageEntry kPages[] = {
    {"General", Ids::GeneralPage},        {"Preferences", Ids::PreferencesPage},
    {"Clocks", Ids::ClocksPage},          {"Panel", Ids::PanelPage},
    {"Panel Power", Ids::PanelPowerPage}, {"Registers", Ids::RegistersPage},
};

constexpr int kPanelList = 1530;

const FileFilter kAllFiles{"All Files (*.*)", "*.*"};

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
           command == Commands::ConfigureMultiple || command == Commands::Export;
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
    UpdateTitle();
    UpdateFrameRate(state_.doc);
    UpdateLineByteCount(state_.doc);
    host_.ApplyTooltipDelay(kTooltipDelays[tooltipDelayIndex_]);
    ShowPage(0);
}

std::string Shell::Title() const {
    std::string title;
    if (!currentFileName_.empty()) {
        title = FileNamePart(currentFileName_) + " - ";
    }
    title += Format("ZLC%s Configuration Utility  (%sBuild %u)", ChipNumber, "", BuildNumber);
    return title;
}

void Shell::UpdateTitle() {
    host_.SetTitle(Title());
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
    switch (id) {
    case Commands::Open:
        Open();
        break;
    case Commands::Save:
        Save();
        break;
    case Commands::SaveAs:
        SaveAs();
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

void Shell::Open() {
    if (const auto path = host_.ChooseFile(OpenRequest())) {
        host_.CommitTyping();
        OpenFile(*path);
    }
}

void Shell::OpenFile(const std::string& path) {
    const FileOutcome outcome = LoadConfigFile(state_.doc, path);
    if (!outcome.ok) {
        host_.ShowMessage(MessageIcon::Warning, outcome.message);
        return;
    }
    currentFileName_ = path;
    currentFile_ = outcome.file;
    UpdateTitle();
    ShowPage(currentTab_);
    state_.diagnostics.Update(Ids::DiagnosticsBox, DIAG_FORCE);
}

void Shell::ReportSaved() {
    host_.ShowMessage(MessageIcon::Information,
                      Format("Configuration data saved in file \"%s\".", currentFileName_.c_str()));
}

void Shell::Save() {
    if (currentFileName_.empty()) {
        return;
    }
    const std::optional<FileOutcome> saved =
        GuardedSave(host_, state_.doc, currentFileName_, currentFile_, std::nullopt);
    if (!saved) {
        return; // declined or cancelled by the user
    }
    const FileOutcome& outcome = *saved;
    if (!outcome.ok) {
        host_.ShowMessage(MessageIcon::Warning, outcome.message);
        currentFileName_.clear();
        UpdateTitle();
        return;
    }
    currentFile_ = IdentityNow(currentFileName_);
    ReportSaved();
}

void Shell::SaveAs() {
    if (currentFileName_.empty()) {
        return;
    }
    FileDialogRequest request;
    request.open = false;
    request.title = "Save As";
    request.initialName = currentFileName_;
    request.confirmOverwrite = true;
    request.filters = SaveAsFilters(currentFileName_);
    const auto chosen = host_.ChooseFile(request);
    if (!chosen) {
        return;
    }
    const std::optional<FileOutcome> saved =
        GuardedSave(host_, state_.doc, currentFileName_, currentFile_, *chosen);
    if (!saved) {
        return;
    }
    const FileOutcome& outcome = *saved;
    if (!outcome.ok) {
        host_.ShowMessage(MessageIcon::Warning, outcome.message);
        return;
    }
    currentFileName_ = *chosen;
    currentFile_ = IdentityNow(currentFileName_);
    UpdateTitle();
    ReportSaved();
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
    if (control == kPanelList) {
        return PanelListTooltip(state_.panels.source);
    }
    return ControlTooltip(control, comboParent);
}

} // namespace zlc::ui

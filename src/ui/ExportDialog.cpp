#include "ui/ExportDialog.h"

#include "base/Format.h"
#include "export/Export.h"
#include "platform/FileSystem.h"
#include "platform/PrivateDirectory.h"
#include "ui/AppIdentity.h"
#include "ui/SettingControls.h"
#include "ui/Shell.h"

#include <sys/stat.h>

namespace zlc::ui {

namespace {

// The buttons the Save As step adds; the template gives their captions.
std::string SaveAsButtonCaption(int id) {
    for (const ControlTemplate& control : FindDialogTemplate(Ids::ExportSaveAsButtons)->controls) {
        if (control.id == id) {
            return control.caption;
        }
    }
    return {};
}

FileDialogRequest SaveAsRequest(int target, unsigned modeNumber) {
    const ExportTargetEntry& entry = *FindExportTarget(target);
    FileDialogRequest request;
    request.open = false;
    request.title = "Export As";
    for (const ExportFilter& filter : entry.filters) {
        request.filters.push_back({filter.description, filter.pattern});
    }
    request.defaultExtension = entry.defaultExtension;
    request.initialName = ExportDefaultName(target, modeNumber);
    request.confirmOverwrite = true;
    request.acceptLabel = "&Export";
    return request;
}

// Export's writing goes through a link to the file it names, as a user who
// exports onto a link of theirs expects. A preview has no such user: whatever
// other than a plain file sits at its name is taken away first, and as the
// directory admits nobody else, nothing new can be put there meanwhile.
bool ClearPreviewName(const std::string& file) {
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0 || S_ISREG(status.st_mode)) {
        return true;
    }
    int error = 0;
    return platform::RemoveFile(file, error);
}

} // namespace

ExportDialog::ExportDialog(unsigned modeNumber)
    : ModalDialog(*FindDialogTemplate(Ids::ExportDialog)), modeNumber_(modeNumber) {}

void ExportDialog::Init() {
    for (int target = 0; target < kExportTargetCount; ++target) {
        host().AddItem(ExportIds::TargetList, ExportListText(target, modeNumber_));
    }
    host().SetSelection(ExportIds::TargetList, 0);
}

void ExportDialog::OnClicked(int id) {
    if (id == kIdOk) {
        target_ = host().Selection(ExportIds::TargetList);
        if (target_ >= 0) {
            End(kIdOk);
        }
        return;
    }
    ModalDialog::OnClicked(id);
}

void ExportDialog::OnSelectionConfirmed(int id) {
    if (id == ExportIds::TargetList) {
        OnClicked(kIdOk);
    }
}

WinCeOptionsDialog::WinCeOptionsDialog(unsigned& modeNumber)
    : ModalDialog(*FindDialogTemplate(Ids::WinCeOptionsDialog)), modeNumber_(modeNumber) {}

void WinCeOptionsDialog::Init() {
    host().SetRange(ExportIds::ModeNumber, 0, static_cast<int>(kMaxWinCeModeNumber));
    // The up-down control holds a 16-bit position.
    host().SetPosition(ExportIds::ModeNumber, static_cast<int>(modeNumber_ & 0xFFFF));
}

void WinCeOptionsDialog::OnClicked(int id) {
    if (id == kIdOk) {
        if (const auto value = ParseDecimalField(host(), ExportIds::ModeNumber)) {
            modeNumber_ = value->whole;
        }
        End(kIdOk);
        return;
    }
    ModalDialog::OnClicked(id);
}

void PreviewExport(ShellHost& host, const ConfigDocument& doc, const ExportSession& session,
                   int target) {
    const ExportTargetEntry* entry = FindExportTarget(target);
    if (entry == nullptr) {
        return;
    }
    const platform::PrivateDirectory directory =
        platform::OpenPrivateDirectory(session.previewBase, ProgramName());
    const std::string file = directory.path + "/" + ExportDefaultName(target, session.modeNumber);
    if (directory.error != 0 || !ClearPreviewName(file)) {
        host.ShowMessage(MessageIcon::Warning, Format("Failed to create file %s", file.c_str()));
        return;
    }
    const ExportResult written = ExportTarget(doc, target, file, session.modeNumber, {});
    if (!written.ok) {
        host.ShowMessage(MessageIcon::Warning, written.message);
        return;
    }
    const auto how = entry->openWithTextEditor ? platform::OpenWith::TextEditor
                                               : platform::OpenWith::AssociatedProgram;
    // The file is there all the same: the message names it, so that the user
    // can open it with a program of their own.
    const platform::StartResult opened = host.OpenFile(file, how);
    if (!opened.ok) {
        host.ShowMessage(MessageIcon::Warning,
                         Format("Failed to %s file %s",
                                entry->openWithTextEditor ? "preview" : "execute", file.c_str()) +
                             "\n\n" + opened.reason);
    }
}

void RunExport(ShellHost& host, const ConfigDocument& doc, ExportSession& session) {
    ExportDialog dialog(session.modeNumber);
    if (host.RunModalDialog(dialog) != kIdOk) {
        return;
    }
    const int target = dialog.target();
    FileDialogRequest request = SaveAsRequest(target, session.modeNumber);
    request.buttons.push_back({SaveAsButtonCaption(ExportIds::Preview), true,
                               [&host, &doc, &session, target]() -> std::optional<std::string> {
                                   PreviewExport(host, doc, session, target);
                                   return std::nullopt;
                               }});
    // Whatever the answer, the name field shows the WinCE header's name with
    // the number now in force.
    request.buttons.push_back(
        {SaveAsButtonCaption(ExportIds::Options), target == ExportTargetNumber::WinCeHeader,
         [&host, &session]() -> std::optional<std::string> {
             WinCeOptionsDialog options(session.modeNumber);
             host.RunModalDialog(options);
             return ExportDefaultName(ExportTargetNumber::WinCeHeader, session.modeNumber);
         }});
    const auto path = host.ChooseFile(request);
    if (!path) {
        return;
    }
    const ExportResult result = ExportTarget(doc, target, *path, session.modeNumber, {});
    if (!result.ok) {
        host.ShowMessage(MessageIcon::Warning, result.message);
    }
}

} // namespace zlc::ui

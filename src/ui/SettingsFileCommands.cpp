#include "ui/SettingsFileCommands.h"

#include "base/Format.h"
#include "cli/SettingsFile.h"
#include "cli/SettingsJson.h"
#include "platform/FileWriter.h"
#include "ui/Shell.h"

namespace zlc::ui {

namespace {

FileDialogRequest ExportRequest() {
    FileDialogRequest request;
    request.open = false;
    request.title = "Export Settings";
    request.filters = {{"Settings Files (*.json)", "*.json"}, kAllFiles};
    request.defaultExtension = "json";
    request.initialName = "settings.json";
    request.confirmOverwrite = true;
    return request;
}

FileDialogRequest ImportRequest() {
    FileDialogRequest request;
    request.open = true;
    request.title = "Import Settings";
    request.filters = {{"Settings Files (*.json;*.txt)", "*.json;*.txt"}, kAllFiles};
    request.mustExist = true;
    return request;
}

} // namespace

void ExportSettings(UiState& state, ShellHost& host) {
    const auto path = host.ChooseFile(ExportRequest());
    if (!path) {
        return;
    }
    const std::string json = cli::SettingsJson(state.doc);
    int error = 0;
    if (!platform::WriteFileAtomically(
            *path, {reinterpret_cast<const uint8_t*>(json.data()), json.size()}, {}, error)) {
        host.ShowMessage(MessageIcon::Warning, *path + ": " + platform::SystemErrorText(error));
        return;
    }
    host.ShowMessage(MessageIcon::Information,
                     Format("Settings saved in file \"%s\".", path->c_str()));
}

bool ImportSettings(UiState& state, ShellHost& host) {
    const auto path = host.ChooseFile(ImportRequest());
    if (!path) {
        return false;
    }
    const std::string error = cli::ApplySettingsFile(state.doc, *path);
    if (!error.empty()) {
        host.ShowMessage(MessageIcon::Warning, error);
        return false;
    }
    return true;
}

} // namespace zlc::ui

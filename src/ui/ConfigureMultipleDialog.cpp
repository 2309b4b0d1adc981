#include "ui/ConfigureMultipleDialog.h"

#include "files/ConfigFile.h"
#include "files/ConfigureMultiple.h"
#include "ui/Shell.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace zlc::ui {

namespace fs = std::filesystem;

namespace {

using namespace ConfigureIds;

// The lists sort as a sorted list box does: without regard to case, folders
// (whose entries start with "[") before files.
bool ListOrder(const std::string& a, const std::string& b) {
    const bool folderA = a.starts_with('[');
    const bool folderB = b.starts_with('[');
    if (folderA != folderB) {
        return folderA;
    }
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

bool StartsWithElfMagic(const fs::path& path) {
    char magic[4] = {};
    std::ifstream in(path, std::ios::binary);
    return in.read(magic, sizeof magic) && std::memcmp(magic,
                                                       "\x7f"
                                                       "ELF",
                                                       4) == 0;
}

bool IsConfigurable(const fs::path& path) {
    const std::string name = path.filename().string();
    return HasSupportedExtension(name) || (HasNoExtension(name) && StartsWithElfMagic(path));
}

// The entries of a folder: "[..]" and "[name]" for folders, the names of the
// files that pass the filter. Hidden entries are left out, as file managers
// here do.
std::vector<std::string> BrowserEntries(const fs::path& directory, bool allFiles) {
    std::vector<std::string> entries;
    if (directory.has_relative_path()) {
        entries.push_back("[..]");
    }
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.')) {
            continue;
        }
        std::error_code ignored;
        if (entry.is_directory(ignored)) {
            entries.push_back("[" + name + "]");
        } else if (allFiles || IsConfigurable(entry.path())) {
            entries.push_back(name);
        }
    }
    std::sort(entries.begin(), entries.end(), ListOrder);
    return entries;
}

bool IsFolderEntry(const std::string& entry) {
    return entry.size() >= 2 && entry.front() == '[' && entry.back() == ']';
}

} // namespace

ConfigureMultipleDialog::ConfigureMultipleDialog(const ConfigDocument& doc, ShellHost& shell,
                                                 std::string& directory,
                                                 std::vector<std::string> preselected)
    : ModalDialog(*FindDialogTemplate(Ids::ConfigureMultipleDialog)), doc_(doc), shell_(shell),
      directory_(directory), preselected_(std::move(preselected)) {}

void ConfigureMultipleDialog::Init() {
    if (directory_.empty()) {
        std::error_code error;
        directory_ = fs::current_path(error).string();
    }
    host().SetChecked(PreserveAddresses, false);
    host().SetChecked(ShowAll, false);
    host().SetChecked(ShowConfigurable, true);
    FillBrowser();
    for (const std::string& file : preselected_) {
        Select(file);
    }
    ShowSelected();
}

void ConfigureMultipleDialog::FillBrowser() {
    host().ClearItems(Browser);
    for (const std::string& entry : BrowserEntries(directory_, host().IsChecked(ShowAll))) {
        host().AddItem(Browser, entry);
    }
    host().SetText(Directory, directory_);
}

void ConfigureMultipleDialog::ShowSelected() {
    host().ClearItems(Selected);
    for (const std::string& file : selected_) {
        host().AddItem(Selected, file);
    }
}

// File names here differ by letter case alone, so only the same name is a
// second entry of the same file.
void ConfigureMultipleDialog::Select(const std::string& path) {
    if (std::find(selected_.begin(), selected_.end(), path) == selected_.end()) {
        selected_.insert(std::upper_bound(selected_.begin(), selected_.end(), path, ListOrder),
                         path);
    }
}

bool ConfigureMultipleDialog::AddEntry(const std::string& entry) {
    if (IsFolderEntry(entry)) {
        return false;
    }
    const fs::path path = fs::path(directory_) / entry;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return false;
    }
    Select(path.string());
    return true;
}

void ConfigureMultipleDialog::EnterFolder(const std::string& entry) {
    if (!IsFolderEntry(entry)) {
        return;
    }
    const std::string name = entry.substr(1, entry.size() - 2);
    const fs::path target =
        name == ".." ? fs::path(directory_).parent_path() : fs::path(directory_) / name;
    std::error_code error;
    if (!fs::is_directory(target, error)) {
        return;
    }
    directory_ = target.lexically_normal().string();
    FillBrowser();
}

void ConfigureMultipleDialog::OnClicked(int id) {
    const int selection = host().Selection(id == Add ? Browser : Selected);
    switch (id) {
    case Add:
        if (selection >= 0 && AddEntry(host().ItemText(Browser, selection))) {
            ShowSelected();
        }
        break;
    case AddAll:
        for (int i = host().ItemCount(Browser) - 1; i >= 0; --i) {
            AddEntry(host().ItemText(Browser, i));
        }
        ShowSelected();
        break;
    case Remove:
        if (selection >= 0 && selection < static_cast<int>(selected_.size())) {
            selected_.erase(selected_.begin() + selection);
            ShowSelected();
        }
        break;
    case RemoveAll:
        selected_.clear();
        ShowSelected();
        break;
    case ShowAll:
    case ShowConfigurable:
        FillBrowser();
        break;
    case Configure:
        ConfigureAll();
        break;
    default:
        ModalDialog::OnClicked(id);
        break;
    }
}

void ConfigureMultipleDialog::OnSelectionConfirmed(int id) {
    if (id == Selected) {
        OnClicked(Remove);
        return;
    }
    const int selection = host().Selection(Browser);
    if (id != Browser || selection < 0) {
        return;
    }
    const std::string entry = host().ItemText(Browser, selection);
    if (AddEntry(entry)) {
        ShowSelected();
    } else {
        EnterFolder(entry);
    }
}

void ConfigureMultipleDialog::OnFilesDropped(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        Select(file);
    }
    ShowSelected();
}

void ConfigureMultipleDialog::SetControlsEnabled(bool enabled) {
    for (int id : {kIdCancel, Add, AddAll, Remove, RemoveAll, Browser, Selected, ShowAll,
                   ShowConfigurable, FilesOnly, Configure, PreserveAddresses}) {
        host().SetEnabled(id, enabled);
    }
}

void ConfigureMultipleDialog::ConfigureAll() {
    if (selected_.empty()) {
        shell_.ShowMessage(MessageIcon::Warning, kMessageNoFilesSelected);
        return;
    }
    SetControlsEnabled(false);
    const bool preserve = host().IsChecked(PreserveAddresses);
    const int total = static_cast<int>(selected_.size());
    shell_.ShowProgress(0, total);
    const ConfigureResult result = ConfigureFiles(
        doc_, selected_, preserve,
        [this](const FileOutcome& failure) {
            shell_.ShowMessage(MessageIcon::Warning, failure.message);
        },
        [this, total](size_t done) { shell_.ShowProgress(static_cast<int>(done), total); });
    shell_.ShowMessage(MessageIcon::Information, result.summary);
    SetControlsEnabled(true);
    End(kIdOk);
}

} // namespace zlc::ui

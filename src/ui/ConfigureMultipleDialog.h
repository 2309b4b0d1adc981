#pragma once

#include "model/ConfigDocument.h"
#include "ui/ModalDialog.h"

#include <string>
#include <vector>

namespace zlc::ui {

class ShellHost;

namespace ConfigureIds {
inline constexpr int Browser = 2201;
inline constexpr int Selected = 2202;
inline constexpr int Add = 2203;
inline constexpr int AddAll = 2204;
inline constexpr int Remove = 2205;
inline constexpr int RemoveAll = 2206;
inline constexpr int ShowAll = 2207;
inline constexpr int ShowConfigurable = 2208;
inline constexpr int FilesOnly = 2209;
inline constexpr int Configure = 2210;
inline constexpr int Directory = 2211;
inline constexpr int PreserveAddresses = 2212;
} // namespace ConfigureIds

// Configure Multiple: a file browser on the left, the chosen files on the
// right, and Configure, which saves the document into every chosen file in
// place and shows a summary.
class ConfigureMultipleDialog : public ModalDialog {
  public:
    // `directory` is the folder the browser shows; it is changed as the user
    // moves about, so the next opening starts there.
    ConfigureMultipleDialog(const ConfigDocument& doc, ShellHost& shell, std::string& directory,
                            std::vector<std::string> preselected);

    void OnClicked(int id) override;
    void OnSelectionConfirmed(int id) override;
    bool AcceptsDroppedFiles() const override { return true; }
    void OnFilesDropped(const std::vector<std::string>& files) override;

  protected:
    void Init() override;

  private:
    void FillBrowser();
    void ShowSelected();
    void Select(const std::string& path);
    // Adds the browser entry if it names a file; false when it does not.
    bool AddEntry(const std::string& entry);
    void EnterFolder(const std::string& entry);
    void ConfigureAll();
    void SetControlsEnabled(bool enabled);

    const ConfigDocument& doc_;
    ShellHost& shell_;
    std::string& directory_;
    std::vector<std::string> preselected_;
    std::vector<std::string> selected_; // sorted, as the right list shows them
};

} // namespace zlc::ui

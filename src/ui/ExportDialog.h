#pragma once

#include "model/ConfigDocument.h"
#include "ui/ModalDialog.h"

#include <string>

namespace zlc::ui {

class ShellHost;

// What the exports keep for the whole run.
struct ExportSession {
    // Chosen in the WinCE options; shown in the Export list and used in the
    // WinCE header's name and text.
    unsigned modeNumber = 0;
    // Where the private preview directory is made; tests put in their own.
    std::string previewBase;
};

namespace ExportIds {
inline constexpr int TargetList = 3041;
inline constexpr int Preview = 3051;
inline constexpr int Options = 3052;
inline constexpr int ModeNumber = 3061;
} // namespace ExportIds

// The Export dialog: the six targets, the first selected. Export As (also
// Enter and a double click) ends it with kIdOk and the chosen target.
class ExportDialog : public ModalDialog {
  public:
    explicit ExportDialog(unsigned modeNumber);
    void OnClicked(int id) override;
    void OnSelectionConfirmed(int id) override;
    int target() const { return target_; }

  protected:
    void Init() override;

  private:
    unsigned modeNumber_;
    int target_ = 0;
};

// The WinCE header's options: the mode number, 0 to 1000. OK stores the
// number shown; Cancel leaves the number as it was.
class WinCeOptionsDialog : public ModalDialog {
  public:
    explicit WinCeOptionsDialog(unsigned& modeNumber);
    void OnClicked(int id) override;

  protected:
    void Init() override;

  private:
    unsigned& modeNumber_;
};

// File > Export: the Export dialog, then the Save As step with its Preview and
// Options buttons, then the export into the chosen file.
void RunExport(ShellHost& host, const ConfigDocument& doc, ExportSession& session);

// Writes a target's file under its default name into the user's private
// preview directory and shows it: text files in the text editor, the HTML
// reference with the program associated with it. Failures are shown.
void PreviewExport(ShellHost& host, const ConfigDocument& doc, const ExportSession& session,
                   int target);

} // namespace zlc::ui

#pragma once

#include "ui/Shell.h"

#include <QFileDialog>
#include <QProgressDialog>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

namespace zlc::ui::qt {

// The modal dialogs of the shell: file choice, message boxes and the dialogs
// built from templates. Tests put
// answers of their own in place, so that no test waits on a modal dialog.
// Once a dialog ends, the focus is back where it was.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual std::optional<std::string> ChooseFile(QWidget* owner, const FileDialogRequest& request);
    virtual void ShowMessage(QWidget* owner, MessageIcon icon, const std::string& text);
    // Builds the dialog's template as a QDialog over `owner` and runs it.
    virtual int RunModal(QWidget* owner, ModalDialog& dialog);
    // A question with Yes and No, No the default; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const std::string& text);
    // A question with Save, Discard and Cancel, Save the default.
    virtual SaveAnswer AskSaveChanges(QWidget* owner, const std::string& question);
    // Progress of a long operation in a window of its own over `owner`, which
    // goes when `done` reaches `total`. Pending events are handled meanwhile.
    void ShowProgress(QWidget* owner, int done, int total);
    // A wait for another program's lock, shown with a Cancel button over
    // `owner` until EndWait; WaitGoesOn handles pending events and answers
    // false once Cancel was pressed.
    virtual void BeginWait(QWidget* owner, const std::string& text);
    virtual bool WaitGoesOn();
    virtual void EndWait();

  private:
    std::unique_ptr<QProgressDialog> progress_;
    std::unique_ptr<QProgressDialog> wait_;
};

// Gives a file dialog the accept caption and the extra buttons of the
// request, in a row below its own controls (which makes it Qt's own dialog),
// and a save dialog the request's default extension.
void AddRequestButtons(QFileDialog& dialog, const FileDialogRequest& request);

// The Qt name filter of a filter row: "EXE Files (*.EXE *.exe)". File names
// are case-sensitive here, so each pattern is offered in both cases, and the
// pattern that matches every file is "*".
QString QtNameFilter(const FileFilter& filter);

// Sets up a file dialog for a request: title, mode, filters (shown by their
// descriptions) and the initial name.
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

} // namespace zlc::ui::qt

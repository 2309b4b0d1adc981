#pragma once

#include "ui/Diagnostics.h"
#include "ui/Shell.h"
#include "ui/qt/Dialogs.h"

#include <QMainWindow>
#include <memory>

class QPlainTextEdit;
class QTabBar;
class QFrame;
class QGroupBox;
class QMenu;
class QHelpEvent;

namespace zlc::ui::qt {

class PanelPreviewWindow;
class TimingWindow;
class QtDialogHost;
class TooltipStyle;
class ListViewControl;

// The main window of 62740CFG: menus, the tab control with the current page
// over its display area, and the Diagnostics box. All behaviour is the
// shell's; this class only renders it and forwards what the user does.
class MainWindow : public QMainWindow, public ShellHost, public DiagnosticsView {
    Q_OBJECT

  public:
    MainWindow(ConfigDocument& doc, const PanelList& panels,
               std::unique_ptr<Dialogs> dialogs = nullptr);
    ~MainWindow() override;

    Shell& shell() { return *shell_; }
    QTabBar* tabBar() const { return tabBar_; }
    QPlainTextEdit* diagnosticsBox() const { return diagnostics_; }
    QtDialogHost* pageHost() const { return pageHost_; }
    // The View > Panel Preview window, once it has been opened.
    PanelPreviewWindow* panelPreview() const { return panelPreview_; }
    // The View > Timing Diagram window, once it has been opened.
    TimingWindow* timingWindow() const { return timingWindow_; }
    // The widget of a control of the current page.
    QWidget* PageControl(int id) const;
    // Triggers a menu command as choosing its menu item does.
    void TriggerCommand(int id);

    // ShellHost
    void SetTitle(const std::string& title) override;
    void SetModified(bool modified) override;
    SaveAnswer AskSaveChanges(const std::string& question) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    void ShowMessage(MessageIcon icon, const std::string& text) override;
    DialogHost& CreatePageHost(const DialogTemplate& dialog) override;
    void DestroyPageHost() override;
    void CommitTyping() override;
    void OpenUrl(const std::string& url) override;
    void ApplyTooltipDelay(int milliseconds) override;
    platform::StartResult OpenFile(const std::string& path, platform::OpenWith how) override;
    void ShowProgress(int done, int total) override;
    int RunModalDialog(ModalDialog& dialog) override;
    void CloseWindow() override;
    void ShowText(const std::string& title, const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void BeginWait(const std::string& text) override;
    bool WaitGoesOn() override;
    void EndWait() override;

    // DiagnosticsView
    void ShowDiagnostics(const std::string& text) override;
    void SetDiagnosticsHighlight(bool highlight) override;
    void ErrorBeep() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildControls();
    int PageAreaHeight() const;
    void LayOutControls();
    void BuildMenus();
    void AddPageShortcuts();
    void AddMenuItems(QMenu* menu, std::span<const MenuTemplate> items);
    void UpdateMenuState();
    void OnTabChanged(int index);
    bool ShowTooltip(QWidget* widget, QEvent* event);
    void ShowPanelPreview();
    void ShowTimingDiagram();
    bool ShowRowTooltip(ListViewControl* list, QWidget* widget, QHelpEvent* help);

    const ConfigDocument& doc_;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<Shell> shell_;
    QWidget* central_ = nullptr;
    QTabBar* tabBar_ = nullptr;
    QGroupBox* diagnosticsGroup_ = nullptr;
    QFrame* pageArea_ = nullptr;
    QPlainTextEdit* diagnostics_ = nullptr;
    QtDialogHost* pageHost_ = nullptr;
    TooltipStyle* tooltipStyle_ = nullptr;
    PanelPreviewWindow* panelPreview_ = nullptr;
    TimingWindow* timingWindow_ = nullptr;
    std::vector<QAction*> actions_;
    bool highlighted_ = false;
};

} // namespace zlc::ui::qt

#include "ui/qt/MainWindow.h"

#include "platform/Opener.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/ListViewControl.h"
#include "ui/qt/MainLayout.h"
#include "ui/qt/PanelPreviewWindow.h"
#include "ui/qt/Placement.h"
#include "ui/qt/QtDialogHost.h"
#include "ui/qt/TextWindow.h"
#include "ui/qt/TimingWindow.h"
#include "ui/qt/Toolkit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

namespace zlc::ui::qt {

// Tooltip timing of the Help menu: shown after the delay, the next one after
// a fifth of it.
class TooltipStyle : public QProxyStyle {
  public:
    int delay = kTooltipDelays[kDefaultTooltipDelayIndex];

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) {
            return delay;
        }
        if (hint == SH_ToolTip_FallAsleepDelay) {
            return delay / 5;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

namespace {

constexpr int kTipDisplayMs = 30000;
constexpr int kTipWidth = 300;
constexpr int kDiagnosticsTipWidth = 600;
constexpr const char* kDarkBlue = "#0000AF";

// The desktop's usual keys for the commands that have them.
QKeySequence CommandShortcut(int command) {
    switch (command) {
    case Commands::Open:
        return QKeySequence(Qt::CTRL | Qt::Key_O);
    case Commands::Save:
        return QKeySequence(Qt::CTRL | Qt::Key_S);
    case Commands::SaveAs:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    case Commands::Exit:
        return QKeySequence(Qt::CTRL | Qt::Key_Q);
    default:
        return {};
    }
}

QString TipHtml(const std::string& text, int width) {
    return QString(
               "<table width=\"%1\"><tr><td style=\"white-space:pre-wrap\">%2</td></tr></table>")
        .arg(width)
        .arg(QString::fromStdString(text).toHtmlEscaped());
}

// The id of the nearest control at or above a widget (the edit part of a
// combo box finds the combo box).
int ControlIdOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant id = w->property(kControlIdProperty);
        if (id.isValid() && id.toInt() != kNoId) {
            return id.toInt();
        }
    }
    return 0;
}

} // namespace

MainWindow::MainWindow(ConfigDocument& doc, const PanelList& panels,
                       std::unique_ptr<Dialogs> dialogs)
    : doc_(doc), dialogs_(dialogs ? std::move(dialogs) : std::make_unique<Dialogs>()),
      shell_(std::make_unique<Shell>(doc, panels, *this)) {
    tooltipStyle_ = new TooltipStyle;
    qApp->setStyle(tooltipStyle_);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    BuildControls();
    BuildMenus();
    AddPageShortcuts();
    shell_->SetDiagnosticsView(this);
    shell_->SetToolkitVersions(QtToolkitVersions());
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                shell_->state().appActive = state == Qt::ApplicationActive;
            });
    qApp->installEventFilter(this);
    shell_->Start();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    shell_->Close();
}

void MainWindow::BuildControls() {
    const DialogTemplate& dialog = *FindDialogTemplate(Ids::MainDialog);
    central_ = new QWidget(this);
    QString groupCaption;
    for (const ControlTemplate& control : dialog.controls) {
        switch (control.kind) {
        case ControlKind::TabControl: {
            tabBar_ = new QTabBar(central_);
            tabBar_->setProperty(kControlIdProperty, control.id);
            for (const PageEntry& page : PageTable()) {
                const int tab = tabBar_->addTab(page.title);
                // Read by screen readers; hover tips are the event filter's.
                tabBar_->setTabToolTip(tab,
                                       QString::fromStdString(shell_->HelpText(page.templateId)));
            }
            pageArea_ = new QFrame(central_);
            pageArea_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
            connect(tabBar_, &QTabBar::currentChanged, this, &MainWindow::OnTabChanged);
            break;
        }
        case ControlKind::GroupBox:
            diagnosticsGroup_ = new QGroupBox(control.caption, central_);
            groupCaption = QString::fromUtf8(control.caption).remove('&');
            break;
        case ControlKind::Diagnostics:
            diagnostics_ = new QPlainTextEdit(central_);
            diagnostics_->setAccessibleName(groupCaption); // its group's caption
            diagnostics_->setReadOnly(true);
            diagnostics_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            diagnostics_->setProperty(kControlIdProperty, control.id);
            SetDiagnosticsHighlight(false);
            break;
        default:
            break;
        }
    }
    setCentralWidget(central_);
    central_->setMinimumSize(
        MainLayout(dialog, central_->font(), tabBar_->sizeHint().height(), PageAreaHeight(), {})
            .size);
    central_->installEventFilter(this);
    resize(minimumSizeHint());
    LayOutControls();
}

int MainWindow::PageAreaHeight() const {
    int tallest = 0;
    for (const PageEntry& page : PageTable()) {
        const DialogTemplate* pageTemplate = FindDialogTemplate(page.templateId);
        tallest = std::max(tallest, DialogUnits(central_->font()).Y(pageTemplate->cy));
    }
    return tallest + 2 * kPageInset;
}

// The pages keep their layout; the tab area widens with the window and the
// Diagnostics box takes what the window grows beyond its first size.
void MainWindow::LayOutControls() {
    const MainGeometry geometry =
        MainLayout(*FindDialogTemplate(Ids::MainDialog), central_->font(),
                   tabBar_->sizeHint().height(), PageAreaHeight(), central_->size());
    tabBar_->setGeometry(geometry.tabBar);
    pageArea_->setGeometry(geometry.pageArea);
    diagnosticsGroup_->setGeometry(geometry.diagnosticsGroup);
    diagnostics_->setGeometry(geometry.diagnostics);
}

void MainWindow::BuildMenus() {
    for (const MenuTemplate& top : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(top.text);
        AddMenuItems(menu, top.items);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenuState);
    }
    // Items carry their final texts before a menu first opens, for the
    // accessibility tree and for the shortcuts of greyed items.
    UpdateMenuState();
}

// Ctrl+Tab and Ctrl+PgDown go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp
// to the previous one, round the tabs; a change is refused as a click on the
// tab is while an input error is pending.
void MainWindow::AddPageShortcuts() {
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            const int count = tabBar_->count();
            tabBar_->setCurrentIndex((tabBar_->currentIndex() + step + count) % count);
        });
    }
}

void MainWindow::AddMenuItems(QMenu* menu, std::span<const MenuTemplate> items) {
    for (const MenuTemplate& item : items) {
        if (!item.items.empty()) {
            QMenu* submenu = menu->addMenu(item.text);
            AddMenuItems(submenu, item.items);
            connect(submenu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenuState);
            continue;
        }
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        if (item.id == Commands::Debug) {
            continue; // the debugging item is taken out of the menu
        }
        QAction* action = menu->addAction(item.text);
        action->setData(item.id);
        action->setShortcut(CommandShortcut(item.id));
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { TriggerCommand(id); });
        actions_.push_back(action);
    }
}

void MainWindow::UpdateMenuState() {
    const MenuState state = shell_->Menu();
    for (QAction* action : actions_) {
        const int id = action->data().toInt();
        if (id == Commands::Save || id == Commands::SaveAs) {
            action->setEnabled(state.saveEnabled);
        } else if (id == Commands::EnableTooltips) {
            action->setCheckable(true);
            action->setChecked(state.tooltipsChecked);
            action->setEnabled(state.tooltipsAvailable);
        } else if (id == Commands::About) {
            action->setText(QString::fromStdString(state.aboutText));
        } else if (id >= Commands::FirstTooltipDelay &&
                   id < Commands::FirstTooltipDelay + static_cast<int>(std::size(kTooltipDelays))) {
            action->setCheckable(true);
            action->setChecked(id == state.checkedDelayCommand);
        }
    }
}

void MainWindow::TriggerCommand(int id) {
    if (id == Commands::PanelPreview) {
        ShowPanelPreview(); // a window of the Qt host only; the shell has nothing to do
        return;
    }
    if (id == Commands::TimingDiagram) {
        ShowTimingDiagram(); // as the preview: a window of the Qt host only
        return;
    }
    shell_->Command(id);
}

void MainWindow::ShowPanelPreview() {
    if (panelPreview_ == nullptr) {
        panelPreview_ = new PanelPreviewWindow(doc_, this);
        panelPreview_->Refresh();
        panelPreview_->move(PlaceBeside(*this, panelPreview_->sizeHint()));
    }
    panelPreview_->Refresh();
    panelPreview_->show();
    panelPreview_->raise();
}

void MainWindow::ShowTimingDiagram() {
    if (timingWindow_ == nullptr) {
        timingWindow_ = new TimingWindow(doc_, this);
        timingWindow_->move(frameGeometry().bottomLeft() + QPoint(0, 8));
    }
    timingWindow_->Refresh();
    timingWindow_->show();
    timingWindow_->raise();
}

void MainWindow::OnTabChanged(int index) {
    if (index == shell_->currentTab()) {
        return;
    }
    // A click on a tab leaves the focus where it is. A field being typed in
    // commits first, unless an earlier input error is still pending.
    QWidget* focus = QApplication::focusWidget();
    if (shell_->state().diagnostics.pendingErrorControl == 0 && pageHost_ != nullptr &&
        focus != nullptr && pageHost_->widget()->isAncestorOf(focus)) {
        CommitTyping();
    }
    if (!shell_->RequestTab(index)) {
        // Refused while an input error is pending: the old tab stays.
        QTimer::singleShot(0, this, [this] {
            const QSignalBlocker blocker(tabBar_);
            tabBar_->setCurrentIndex(shell_->currentTab());
        });
    }
}

QWidget* MainWindow::PageControl(int id) const {
    return pageHost_ != nullptr ? pageHost_->Control(id) : nullptr;
}

void MainWindow::SetTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
    // The title changes with the open file, and so does what Save can do;
    // its shortcut must not work while the item is greyed.
    UpdateMenuState();
}

void MainWindow::SetModified(bool modified) {
    setWindowModified(modified);
}

SaveAnswer MainWindow::AskSaveChanges(const std::string& question) {
    return dialogs_->AskSaveChanges(this, question);
}

std::optional<std::string> MainWindow::ChooseFile(const FileDialogRequest& request) {
    return dialogs_->ChooseFile(this, request);
}

void MainWindow::ShowMessage(MessageIcon icon, const std::string& text) {
    // A modal dialog owns the messages about its own controls.
    QWidget* modal = QApplication::activeModalWidget();
    dialogs_->ShowMessage(modal != nullptr ? modal : this, icon, text);
}

DialogHost& MainWindow::CreatePageHost(const DialogTemplate& dialog) {
    pageHost_ = new QtDialogHost(
        dialog, pageArea_, [this] { return shell_->currentPage(); },
        [this](int control) { return shell_->HelpText(control); });
    pageHost_->widget()->move(kPageInset, kPageInset);
    pageHost_->widget()->show();
    return *pageHost_;
}

void MainWindow::DestroyPageHost() {
    delete pageHost_;
    pageHost_ = nullptr;
}

void MainWindow::CommitTyping() {
    tabBar_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::OpenUrl(const std::string& url) {
    platform::OpenWithDesktop(url, platform::OpenWith::AssociatedProgram);
}

void MainWindow::ApplyTooltipDelay(int milliseconds) {
    tooltipStyle_->delay = milliseconds;
}

platform::StartResult MainWindow::OpenFile(const std::string& path, platform::OpenWith how) {
    return platform::OpenWithDesktop(path, how);
}

void MainWindow::ShowProgress(int done, int total) {
    dialogs_->ShowProgress(this, done, total);
}

bool MainWindow::AskYesNo(const std::string& text) {
    return dialogs_->AskYesNo(this, text);
}

void MainWindow::BeginWait(const std::string& text) {
    dialogs_->BeginWait(this, text);
}

bool MainWindow::WaitGoesOn() {
    return dialogs_->WaitGoesOn();
}

void MainWindow::EndWait() {
    dialogs_->EndWait();
}

int MainWindow::RunModalDialog(ModalDialog& dialog) {
    return dialogs_->RunModal(this, dialog);
}

void MainWindow::CloseWindow() {
    close();
}

void MainWindow::ShowText(const std::string& title, const std::string& text) {
    TextWindow::Show(this, title, text);
}

void MainWindow::ShowDiagnostics(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n");
    diagnostics_->setPlainText(shown);
    diagnostics_->setAccessibleDescription(
        QString::fromStdString(shell_->HelpText(Ids::DiagnosticsBox)));
}

void MainWindow::SetDiagnosticsHighlight(bool highlight) {
    // Every change of the document is followed by a Diagnostics update, and
    // every update sets the highlight, whether or not the text changed: the
    // one place from which the preview follows the document.
    if (panelPreview_ != nullptr && panelPreview_->isVisible()) {
        panelPreview_->Refresh();
    }
    if (timingWindow_ != nullptr && timingWindow_->isVisible()) {
        timingWindow_->Refresh();
    }
    highlighted_ = highlight;
    diagnostics_->setStyleSheet(
        QString("QPlainTextEdit { color: %1; background: %2; }")
            .arg(kDarkBlue, highlight ? "#FFFF00" : palette().color(QPalette::Window).name()));
}

void MainWindow::ErrorBeep() {
    QApplication::beep();
}

// A list's tip belongs to the row under the pointer and holds only over that
// row, so that moving to another row asks for that row's tip.
bool MainWindow::ShowRowTooltip(ListViewControl* list, QWidget* widget, QHelpEvent* help) {
    QRect row;
    const QPoint pos = list->viewport()->mapFrom(widget, help->pos());
    const std::string text = shell_->Menu().tooltipsChecked ? list->TooltipAt(pos, &row) : "";
    if (text.empty()) {
        QToolTip::hideText();
        help->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), TipHtml(text, kTipWidth), list->viewport(), row,
                       kTipDisplayMs);
    return true;
}

bool MainWindow::ShowTooltip(QWidget* widget, QEvent* event) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (widget->parentWidget() != nullptr) {
        if (auto* list = qobject_cast<ListViewControl*>(widget->parentWidget())) {
            return ShowRowTooltip(list, widget, help); // the list's viewport
        }
    }
    int id = 0;
    if (widget == tabBar_) {
        const int tab = tabBar_->tabAt(help->pos());
        id = tab >= 0 ? PageTable()[static_cast<size_t>(tab)].templateId : 0;
    } else {
        id = ControlIdOf(widget);
    }
    std::string text = id != 0 ? shell_->TooltipText(id) : std::string();
    // A drop-down list too narrow for its longer entries names the whole
    // entry chosen first.
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (combo != nullptr && !combo->isEditable() && !combo->currentText().isEmpty() &&
        !text.empty()) {
        text = combo->currentText().toStdString() + "\n\n" + text;
    }
    if (text.empty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const int width = id == Ids::DiagnosticsBox ? kDiagnosticsTipWidth : kTipWidth;
    QToolTip::showText(help->globalPos(), TipHtml(text, width), widget, {}, kTipDisplayMs);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == central_ && event->type() == QEvent::Resize) {
        LayOutControls();
    }
    if (event->type() == QEvent::ToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            return ShowTooltip(widget, event);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!shell_->QueryClose()) {
        event->ignore();
        return;
    }
    shell_->Close();
    if (panelPreview_ != nullptr) {
        panelPreview_->close(); // the program ends with its main window
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile().toStdString());
        }
    }
    shell_->DropFiles(files);
    event->acceptProposedAction();
}

} // namespace zlc::ui::qt

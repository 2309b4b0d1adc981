#pragma once

#include "ui/DialogHost.h"
#include "ui/DialogTemplates.h"

#include <QObject>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

class QAbstractButton;
class QButtonGroup;

namespace zlc::ui::qt {

// The property that carries a control's id on its widget, for tooltips.
inline constexpr const char* kControlIdProperty = "zlcControlId";

// The help text of a control, its accessible description.
using HelpTextSource = std::function<std::string(int control)>;

// One dialog built from its template as Qt widgets with fixed geometry, in
// template (tab) order, turning the widgets' signals into dialog events.
// Keyboard use follows dialog navigation: Tab reaches a radio group at its
// checked button and the arrow keys move the check, Enter commits a typed
// value and moves on (or commits and presses the dialog's OK button), a
// label's or group's mnemonic moves the focus to the next control that can
// take it. Every control carries its caption as accessible name and its help
// text as accessible description.
class QtDialogHost : public QObject, public DialogHost {
    Q_OBJECT

  public:
    QtDialogHost(const DialogTemplate& dialog, QWidget* parent,
                 std::function<DialogEvents*()> events, HelpTextSource helpText = {});
    ~QtDialogHost() override;

    QWidget* widget() const { return widget_; }
    QWidget* Control(int id) const;

    // Whether a control grows or follows when the dialog is resized.
    bool Stretches() const;
    // What the dialog must add to its template size for the controls that
    // fit their entries to show every entry whole.
    QSize ContentRoom() const;
    // Lays the controls out for a dialog `extra` larger than its template.
    void Stretch(QSize extra);

    std::string GetText(int id) const override;
    void SetText(int id, const std::string& text) override;
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool IsEnabled(int id) const override;
    void SetEnabled(int id, bool enabled) override;
    void ClearItems(int id) override;
    void AddItem(int id, const std::string& text) override;
    int ItemCount(int id) const override;
    std::string ItemText(int id, int index) const override;
    int Selection(int id) const override;
    void SetSelection(int id, int index) override;
    void SetRange(int id, int low, int high) override;
    void SetPosition(int id, int position) override;
    int Position(int id) const override;
    void SetUpDownSteps(int id, const UpDownSteps& steps) override;
    void AttachBar(int bar, int buddy, int step) override;
    void SetDropDownWidth(int id, int pixels) override;
    void SetTextLimit(int id, int characters) override;
    void SelectAllText(int id) override;
    void RequestFocus(int id) override;
    void SetListColumns(int id, const std::vector<ListColumn>& columns) override;
    void SetRowTexts(int id, int row, const std::vector<std::string>& texts) override;
    std::string RowText(int id, int row, int column) const override;
    void SetRowTooltip(int id, int row, const std::string& text) override;
    void SetDialogTitle(const std::string& title) override;
    void EndDialog(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* CreateControl(const ControlTemplate& control, QWidget* parent);
    QWidget* CreateValueField(const ControlTemplate& control, QWidget* parent);
    void ConnectEvents(const ControlTemplate& control, QWidget* widget);
    void AddMnemonic(size_t index);
    void FocusMnemonicTarget(size_t index);
    void DescribeControl(size_t index, const HelpTextSource& helpText);
    void DescribeList(size_t index);
    void LabelValueControl(size_t index, const std::string& name);
    void UpdateRadioTabStops(QButtonGroup* group);
    bool MoveRadioCheck(QAbstractButton* from, int key);
    void CommitAndMoveOn(QWidget* field);
    DialogEvents* Events() const { return events_(); }

    const DialogTemplate& dialog_;
    QWidget* widget_;
    std::function<DialogEvents*()> events_;
    std::vector<QWidget*> widgets_;    // in template order
    std::vector<QRect> templateRects_; // where they stand at the template size
    QSize templateSize_;
    std::map<int, QWidget*> controls_;
    std::map<int, bool> comboEdited_; // typed into since the last selection
    QButtonGroup* radioGroup_ = nullptr;
    std::map<int, QButtonGroup*> radioGroups_;
};

} // namespace zlc::ui::qt

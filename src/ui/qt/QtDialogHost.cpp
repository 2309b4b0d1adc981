#include "ui/qt/QtDialogHost.h"

#include "ui/ControlBindings.h"
#include "ui/ControlCaptions.h"
#include "ui/qt/AboutPictures.h"
#include "ui/qt/BarControl.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/ListBox.h"
#include "ui/qt/ListViewControl.h"
#include "ui/qt/UpDownControl.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace zlc::ui::qt {

namespace {

// Values and notes are shown in dark blue; greyed like any text while disabled.
const QColor kValueColor(0x00, 0x00, 0xAF);

QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsFocusable(const ControlTemplate& control) {
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::Edit:
    case ControlKind::ComboEdit:
    case ControlKind::DropList:
    case ControlKind::ListView:
    case ControlKind::ReadOnlyText:
    case ControlKind::UpDown:
    case ControlKind::Bar:
    case ControlKind::ListBox:
    case ControlKind::SpinField:
        return true;
    default:
        return false;
    }
}

bool IsButton(const ControlTemplate& control) {
    return control.kind == ControlKind::PushButton || control.kind == ControlKind::RadioButton ||
           control.kind == ControlKind::CheckBox;
}

// The button that a dialog's Enter key presses: the one with the OK id.
constexpr int kDefaultButtonId = 1;

Qt::Alignment TextAlignment(const ControlTemplate& control) {
    return (control.style & ControlStyle::Centered) != 0 ? Qt::AlignCenter
                                                         : Qt::AlignLeft | Qt::AlignVCenter;
}

void UseValueColor(QWidget* widget, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, role, kValueColor);
    palette.setColor(QPalette::Inactive, role, kValueColor);
    widget->setPalette(palette);
}

// A control whose typed text is committed when it loses the focus.
bool TakesTypedText(QObject* object) {
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        return !edit->isReadOnly();
    }
    return qobject_cast<QComboBox*>(object) != nullptr ||
           qobject_cast<QAbstractSpinBox*>(object) != nullptr;
}

// The focus leaves only for a moment to a popup (a combo box's own list, a
// menu) or to the menu bar; leaving for them commits nothing.
bool IsMomentaryFocusLoss(Qt::FocusReason reason) {
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}

// A caption with its mnemonic underlined, as rich text for a label.
QString UnderlinedMnemonic(const QString& caption) {
    QString html;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            const QString letter = QString(caption[i]).toHtmlEscaped();
            html += caption[i] == '&' ? letter : "<u>" + letter + "</u>";
            continue;
        }
        html += QString(caption[i]).toHtmlEscaped();
    }
    return html;
}

// Controls without a visible caption of their own are named for screen
// readers by their template caption and described by their help text.
QWidget* Described(QWidget* widget, const ControlTemplate& control) {
    widget->setAccessibleName(QString::fromUtf8(control.caption));
    widget->setAccessibleDescription(QString::fromStdString(ControlTooltip(control.id)));
    return widget;
}

// Controls that name and describe themselves when they are made.
bool DescribesItself(const ControlTemplate& control) {
    return control.kind == ControlKind::UpDown || control.kind == ControlKind::Bar ||
           control.kind == ControlKind::ListView;
}

// Controls that show no caption of their own carry it as their accessible
// name; without one, Qt names them by the label whose buddy they are.
void NameUnlabelledControl(const ControlTemplate& control, QWidget* widget) {
    const bool captionHidden = control.kind == ControlKind::ListBox ||
                               control.kind == ControlKind::SpinField ||
                               control.kind == ControlKind::Picture;
    if (captionHidden && control.caption[0] != '\0') {
        widget->setAccessibleName(QString::fromUtf8(control.caption));
    }
}

// The width a page asks for a drop-down list, kept on its combo box.
constexpr const char* kDropDownWidthProperty = "zlcDropDownWidth";

// A drop-down list is as wide as its page asks and wide enough for its
// longest entry beside the scroll bar.
void FitDropDown(QComboBox* combo) {
    QAbstractItemView* view = combo->view();
    const int entries = view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                        view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int asked = combo->property(kDropDownWidthProperty).toInt();
    view->setMinimumWidth(std::max({entries, asked, combo->width()}));
}

} // namespace

QtDialogHost::QtDialogHost(const DialogTemplate& dialog, QWidget* parent,
                           std::function<DialogEvents*()> events, HelpTextSource helpText)
    : QObject(parent), dialog_(dialog), widget_(new QWidget(parent)), events_(std::move(events)) {
    if (!helpText) {
        helpText = [](int control) { return ControlTooltip(control); };
    }
    const DialogUnits units(widget_->font());
    templateSize_ = QSize(units.X(dialog.cx), units.Y(dialog.cy));
    widget_->resize(templateSize_);
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        const ControlTemplate& control = dialog.controls[i];
        QWidget* created = CreateControl(control, widget_);
        widgets_.push_back(created);
        QRect rect = units.Rect(control.x, control.y, control.cx, control.cy);
        if (qobject_cast<QComboBox*>(created) != nullptr) {
            // A combo box's template height includes its drop-down list.
            rect.setHeight(created->sizeHint().height());
        }
        created->setGeometry(rect);
        templateRects_.push_back(rect);
        created->setProperty(kControlIdProperty, control.id);
        created->setEnabled((control.style & ControlStyle::Disabled) == 0);
        NameUnlabelledControl(control, created);
        if (control.id != kNoId) {
            controls_[control.id] = created;
        }
        created->installEventFilter(this);
        ConnectEvents(control, created);
    }
    for (size_t i = 0; i < widgets_.size(); ++i) {
        AddMnemonic(i);
        DescribeControl(i, helpText);
        DescribeList(i);
    }
    for (QButtonGroup* group : findChildren<QButtonGroup*>()) {
        UpdateRadioTabStops(group);
    }
}

QtDialogHost::~QtDialogHost() {
    // Widgets losing the focus while they are destroyed must not report.
    events_ = [] { return nullptr; };
    delete widget_;
}

QWidget* QtDialogHost::CreateControl(const ControlTemplate& control, QWidget* parent) {
    const QString caption = QString::fromUtf8(control.caption);
    switch (control.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(caption, parent); // draws and grabs its mnemonic
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setWordWrap(control.cy > 12);
        label->setAlignment(
            ((control.style & ControlStyle::Centered) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
            Qt::AlignTop);
        if (QKeySequence::mnemonic(caption).isEmpty()) {
            label->setTextFormat(Qt::PlainText);
            label->setText(caption);
        } else {
            label->setTextFormat(Qt::RichText);
            label->setText(UnderlinedMnemonic(caption));
            label->setAccessibleName(ToQt(SpokenCaption(control.caption)));
        }
        // Notes the page fills in are values; a label with a mnemonic names
        // the control after it, even when the page changes its text.
        if (control.id != kNoId && QKeySequence::mnemonic(caption).isEmpty()) {
            UseValueColor(label, QPalette::WindowText);
        }
        return label;
    }
    case ControlKind::ReadOnlyText:
        return CreateValueField(control, parent);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(caption, parent);
        button->setDefault((control.style & ControlStyle::Default) != 0);
        return button;
    }
    case ControlKind::RadioButton: {
        auto* button = new QRadioButton(caption, parent);
        if (radioGroup_ == nullptr || (control.style & ControlStyle::Group) != 0) {
            radioGroup_ = new QButtonGroup(this);
            connect(radioGroup_, &QButtonGroup::buttonToggled, this,
                    [this, group = radioGroup_] { UpdateRadioTabStops(group); });
        }
        radioGroup_->addButton(button);
        radioGroups_[control.id] = radioGroup_;
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(caption, parent);
        edit->setAlignment(TextAlignment(control));
        if ((control.style & ControlStyle::Digits) != 0) {
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
        }
        return edit;
    }
    case ControlKind::ComboEdit:
    case ControlKind::DropList: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(control.kind == ControlKind::ComboEdit);
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (combo->isEditable()) {
            // The typed text is the value: nothing may complete or replace it.
            combo->setCompleter(nullptr);
        }
        if (combo->isEditable() && (control.style & ControlStyle::Digits) != 0) {
            combo->lineEdit()->setValidator(
                new QRegularExpressionValidator(QRegularExpression("[0-9]*"), combo));
        }
        return combo;
    }
    case ControlKind::UpDown:
        return Described(new UpDownControl(parent), control);
    case ControlKind::Bar:
        return Described(new BarControl(parent), control);
    case ControlKind::ListView: {
        auto* list = new ListViewControl(parent);
        list->setAccessibleName(caption);
        return list;
    }
    case ControlKind::ListBox:
        return CreateListBox(control, parent);
    case ControlKind::SpinField: {
        // The field shows the up-down control's position; digits typed into
        // it and the arrow, page, Home and End keys change it.
        auto* spin = new QSpinBox(parent);
        spin->setAlignment(TextAlignment(control));
        UseValueColor(spin, QPalette::Text);
        return spin;
    }
    case ControlKind::Picture:
        return new PictureControl(parent);
    default:
        return new QWidget(parent);
    }
}

// A value shown read-only: a read-only edit line, so that the keyboard and a
// screen reader reach it and read it by its caption.
QWidget* QtDialogHost::CreateValueField(const ControlTemplate& control, QWidget* parent) {
    auto* field = new QLineEdit(QString::fromUtf8(control.caption), parent);
    field->setReadOnly(true);
    field->setAlignment(TextAlignment(control));
    field->setFrame((control.style & ControlStyle::Sunken) != 0);
    UseValueColor(field, QPalette::Text);
    QPalette palette = field->palette();
    palette.setBrush(QPalette::Base, palette.brush(QPalette::Window)); // the face colour
    field->setPalette(palette);
    return field;
}

void QtDialogHost::ConnectEvents(const ControlTemplate& control, QWidget* widget) {
    const int id = control.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (DialogEvents* events = Events()) {
                events->OnClicked(id);
            }
        });
    } else if (auto* list = qobject_cast<ListViewControl*>(widget)) {
        connect(list, &ListViewControl::rowActivated, this, [this, id](int row) {
            if (DialogEvents* events = Events()) {
                events->OnRowActivated(id, row);
            }
        });
    } else if (auto* listBox = qobject_cast<QListWidget*>(widget)) {
        connect(listBox, &QListWidget::currentRowChanged, this, [this, id](int) {
            if (DialogEvents* events = Events()) {
                events->OnSelectionChanged(id);
            }
        });
        connect(listBox, &QListWidget::itemDoubleClicked, this, [this, id](QListWidgetItem*) {
            if (DialogEvents* events = Events()) {
                events->OnSelectionConfirmed(id);
            }
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // The combo box is its edit part's focus proxy: focus and key events
        // reach the filter through the combo box alone.
        if (QLineEdit* edit = combo->lineEdit()) {
            connect(edit, &QLineEdit::textEdited, this, [this, id] { comboEdited_[id] = true; });
        }
        // Choosing an item changes the selection and confirms it.
        connect(combo, &QComboBox::activated, this, [this, id](int) {
            comboEdited_[id] = false;
            if (DialogEvents* events = Events()) {
                events->OnSelectionChanged(id);
            }
            if (DialogEvents* events = Events()) {
                events->OnSelectionConfirmed(id);
            }
        });
    } else if (auto* upDown = qobject_cast<UpDownControl*>(widget)) {
        upDown->SetBuddy(qobject_cast<QLineEdit*>(Control(UpDownBuddy(dialog_, id))));
        connect(upDown, &UpDownControl::positionChanged, this, [this, id](int position) {
            if (DialogEvents* events = Events()) {
                events->OnScrolled(id, position);
            }
        });
    } else if (auto* bar = qobject_cast<BarControl*>(widget)) {
        connect(bar, &BarControl::positionChanged, this, [this, id](int position) {
            if (DialogEvents* events = Events()) {
                events->OnScrolled(id, position);
            }
        });
    }
}

// The hint below a list says how to use it; screen readers get it as the
// list's description.
void QtDialogHost::DescribeList(size_t index) {
    auto* list = qobject_cast<ListViewControl*>(widgets_[index]);
    if (list == nullptr || index + 1 >= widgets_.size()) {
        return;
    }
    if (auto* hint = qobject_cast<QLabel*>(widgets_[index + 1])) {
        list->setAccessibleDescription(hint->text());
    }
}

void QtDialogHost::AddMnemonic(size_t index) {
    const ControlTemplate& control = dialog_.controls[index];
    if (control.kind != ControlKind::Label) {
        return; // group boxes grab their own; buttons click themselves
    }
    const QKeySequence key = QKeySequence::mnemonic(QString::fromUtf8(control.caption));
    if (!key.isEmpty()) {
        auto* shortcut = new QShortcut(key, widget_);
        connect(shortcut, &QShortcut::activated, this,
                [this, index] { FocusMnemonicTarget(index); });
    }
}

// A label's or group's mnemonic moves the focus to the next control after it
// that can take the focus, round to the start of the dialog; into a radio
// group it goes to the checked button. Nothing is clicked. While that
// control is disabled (a group that does not apply), nothing happens.
void QtDialogHost::FocusMnemonicTarget(size_t index) {
    const size_t count = widgets_.size();
    for (size_t step = 1; step < count; ++step) {
        const size_t next = (index + step) % count;
        QWidget* target = widgets_[next];
        if (!IsFocusable(dialog_.controls[next]) || !target->isVisibleTo(widget_)) {
            continue;
        }
        if (!target->isEnabled()) {
            return;
        }
        auto group = radioGroups_.find(dialog_.controls[next].id);
        if (group != radioGroups_.end() && group->second->checkedButton() != nullptr &&
            group->second->checkedButton()->isEnabled()) {
            target = group->second->checkedButton();
        }
        target->setFocus(Qt::ShortcutFocusReason);
        return;
    }
}

// The name: a button's own text (Qt follows it when a page changes it), or
// the caption of a value control. The description: the help text, with the
// caption of the group the control stands in when the name does not say it.
void QtDialogHost::DescribeControl(size_t index, const HelpTextSource& helpText) {
    const ControlTemplate& control = dialog_.controls[index];
    QWidget* widget = widgets_[index];
    if (!IsFocusable(control) || DescribesItself(control)) {
        return;
    }
    std::string name;
    if (!IsButton(control)) {
        name = ValueControlName(dialog_, index);
        widget->setAccessibleName(ToQt(name));
        LabelValueControl(index, name);
    }
    const std::string group = EnclosingGroupCaption(dialog_, index);
    const std::string help = control.id != kNoId ? helpText(control.id) : std::string();
    std::string description = help;
    if (!group.empty() && name.find(group) == std::string::npos) {
        description = help.empty() ? group : group + ": " + help;
    }
    widget->setAccessibleDescription(ToQt(description));
}

// Some roles (a combo box on this platform) are named by their value and
// labelled by a relation instead: the caption label becomes the control's
// buddy and speaks the control's full name.
void QtDialogHost::LabelValueControl(size_t index, const std::string& name) {
    const int labelIndex = CaptionLabelIndex(dialog_, index);
    auto* label = labelIndex >= 0 ? qobject_cast<QLabel*>(widgets_[labelIndex]) : nullptr;
    if (label == nullptr || label->buddy() != nullptr) {
        return; // the first control after a label is the one it captions
    }
    label->setBuddy(widgets_[index]);
    label->setAccessibleName(ToQt(name));
}

// Tab reaches a radio group at its checked button (the first one while none
// is checked); the others are reached with the arrow keys or the mouse.
void QtDialogHost::UpdateRadioTabStops(QButtonGroup* group) {
    const QList<QAbstractButton*> buttons = group->buttons();
    QAbstractButton* stop = group->checkedButton();
    if (stop == nullptr && !buttons.isEmpty()) {
        stop = buttons.first();
    }
    for (QAbstractButton* button : buttons) {
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

// The arrow keys in a radio group move the focus and the check to the next
// or previous enabled button, round the group.
bool QtDialogHost::MoveRadioCheck(QAbstractButton* from, int key) {
    auto group = radioGroups_.find(from->property(kControlIdProperty).toInt());
    if (group == radioGroups_.end()) {
        return false;
    }
    const QList<QAbstractButton*> buttons = group->second->buttons();
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1 : -1;
    const auto count = static_cast<int>(buttons.size());
    int index = static_cast<int>(buttons.indexOf(from));
    for (int tried = 1; tried < count; ++tried) {
        QAbstractButton* next = buttons[((index + step * tried) % count + count) % count];
        if (next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            next->click();
            return true;
        }
    }
    return true;
}

// Enter commits the field. In a dialog with an OK button the focus goes to
// that button, which commits the field, and the button is pressed unless the
// field refused its text and took the focus back; elsewhere the focus moves
// on as Tab moves it.
void QtDialogHost::CommitAndMoveOn(QWidget* field) {
    auto* ok = qobject_cast<QPushButton*>(Control(kDefaultButtonId));
    if (ok != nullptr && ok->isEnabled()) {
        ok->setFocus(Qt::TabFocusReason);
        // After the field's own request to get the focus back, if it made one.
        QTimer::singleShot(0, ok, [ok] {
            if (ok->hasFocus()) {
                ok->click();
            }
        });
        return;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(field, &tab);
}

bool QtDialogHost::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const QVariant id = watched->property(kControlIdProperty);
        DialogEvents* events = Events();
        if (TakesTypedText(watched) && !IsMomentaryFocusLoss(reason) && id.isValid() &&
            events != nullptr) {
            events->OnFocusLost(id.toInt());
        }
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            TakesTypedText(watched)) {
            CommitAndMoveOn(static_cast<QWidget*>(watched));
            return true;
        }
        if (plain && key->key() >= Qt::Key_Left && key->key() <= Qt::Key_Down) {
            if (auto* radio = qobject_cast<QRadioButton*>(watched)) {
                return MoveRadioCheck(radio, key->key());
            }
        }
        // Home and End go to the ends of the range, as in an up-down control.
        if (auto* spin = qobject_cast<QSpinBox*>(watched);
            spin != nullptr && plain && (key->key() == Qt::Key_Home || key->key() == Qt::Key_End)) {
            spin->setValue(key->key() == Qt::Key_Home ? spin->minimum() : spin->maximum());
            spin->selectAll();
            return true;
        }
        break;
    }
    case QEvent::Shortcut:
        if (qobject_cast<QGroupBox*>(watched) != nullptr) {
            const auto it = std::find(widgets_.begin(), widgets_.end(), watched);
            FocusMnemonicTarget(static_cast<size_t>(it - widgets_.begin()));
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool QtDialogHost::Stretches() const {
    using namespace ControlStyle;
    return std::any_of(dialog_.controls.begin(), dialog_.controls.end(),
                       [](const ControlTemplate& control) {
                           return (control.style & (GrowsX | GrowsY | FollowsX | FollowsY)) != 0;
                       });
}

QSize QtDialogHost::ContentRoom() const {
    QSize room(0, 0);
    for (size_t i = 0; i < widgets_.size(); ++i) {
        auto* list = qobject_cast<QListWidget*>(widgets_[i]);
        const uint32_t style = dialog_.controls[i].style;
        if (list == nullptr || (style & ControlStyle::FitsContent) == 0) {
            continue;
        }
        const int frame = 2 * list->frameWidth();
        const int width = list->sizeHintForColumn(0) + frame +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        int height = frame;
        for (int row = 0; row < list->count(); ++row) {
            height += list->sizeHintForRow(row);
        }
        const int share = (style & ControlStyle::HalfX) != 0 ? 2 : 1;
        room = room.expandedTo(QSize((width - templateRects_[i].width()) * share,
                                     height - templateRects_[i].height()));
    }
    return room;
}

void QtDialogHost::Stretch(QSize extra) {
    using namespace ControlStyle;
    widget_->resize(templateSize_ + extra);
    for (size_t i = 0; i < widgets_.size(); ++i) {
        const uint32_t style = dialog_.controls[i].style;
        const int dx = (style & HalfX) != 0 ? extra.width() / 2 : extra.width();
        QRect rect = templateRects_[i];
        rect.translate((style & FollowsX) != 0 ? dx : 0,
                       (style & FollowsY) != 0 ? extra.height() : 0);
        rect.setWidth(rect.width() + ((style & GrowsX) != 0 ? dx : 0));
        rect.setHeight(rect.height() + ((style & GrowsY) != 0 ? extra.height() : 0));
        widgets_[i]->setGeometry(rect);
    }
}

QWidget* QtDialogHost::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

std::string QtDialogHost::GetText(int id) const {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return edit->text().toStdString();
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        return combo->currentText().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text().toStdString();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text().toStdString();
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        return group->title().toStdString();
    }
    if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        return spin->text().toStdString();
    }
    return {};
}

void QtDialogHost::SetText(int id, const std::string& text) {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(ToQt(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(ToQt(text));
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(ToQt(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(ToQt(text));
    }
}

bool QtDialogHost::IsChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    return button != nullptr && button->isChecked();
}

void QtDialogHost::SetChecked(int id, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (button == nullptr) {
        return;
    }
    auto group = radioGroups_.find(id);
    if (group != radioGroups_.end() && !checked) {
        // An exclusive group keeps one button checked; a page may want none.
        group->second->setExclusive(false);
        button->setChecked(false);
        group->second->setExclusive(true);
        return;
    }
    button->setChecked(checked);
}

bool QtDialogHost::IsEnabled(int id) const {
    QWidget* w = Control(id);
    return w != nullptr && w->isEnabled();
}

void QtDialogHost::SetEnabled(int id, bool enabled) {
    if (QWidget* w = Control(id)) {
        w->setEnabled(enabled);
    }
}

void QtDialogHost::ClearItems(int id) {
    if (auto* list = qobject_cast<ListViewControl*>(Control(id))) {
        list->Clear();
    }
    if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        list->clear();
    }
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->clear();
        comboEdited_[id] = false;
    }
}

void QtDialogHost::AddItem(int id, const std::string& text) {
    if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        list->addItem(ToQt(text));
    }
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->addItem(ToQt(text));
        FitDropDown(combo);
    }
}

int QtDialogHost::ItemCount(int id) const {
    if (auto* list = qobject_cast<ListViewControl*>(Control(id))) {
        return list->topLevelItemCount();
    }
    if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        return list->count();
    }
    auto* combo = qobject_cast<QComboBox*>(Control(id));
    return combo != nullptr ? combo->count() : 0;
}

std::string QtDialogHost::ItemText(int id, int index) const {
    if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        QListWidgetItem* item = list->item(index);
        return item != nullptr ? item->text().toStdString() : std::string();
    }
    auto* combo = qobject_cast<QComboBox*>(Control(id));
    return combo != nullptr ? combo->itemText(index).toStdString() : std::string();
}

int QtDialogHost::Selection(int id) const {
    if (auto* list = qobject_cast<ListViewControl*>(Control(id))) {
        return list->SelectedRow();
    }
    if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        QListWidgetItem* item = list->currentItem();
        return item != nullptr && item->isSelected() ? list->row(item) : -1;
    }
    auto* combo = qobject_cast<QComboBox*>(Control(id));
    if (combo == nullptr) {
        return -1;
    }
    auto edited = comboEdited_.find(id);
    if (edited != comboEdited_.end() && edited->second) {
        return -1;
    }
    return combo->currentIndex();
}

void QtDialogHost::SetSelection(int id, int index) {
    if (auto* list = qobject_cast<ListViewControl*>(Control(id))) {
        list->SelectRow(index);
    }
    if (auto* list = qobject_cast<QListWidget*>(Control(id))) {
        list->setCurrentRow(index);
    }
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->setCurrentIndex(index);
        comboEdited_[id] = false;
    }
}

void QtDialogHost::SetTextLimit(int id, int characters) {
    QWidget* w = Control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        w = combo->lineEdit();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setMaxLength(characters);
    }
}

void QtDialogHost::SelectAllText(int id) {
    QWidget* w = Control(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        w = combo->lineEdit();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
    }
}

void QtDialogHost::RequestFocus(int id) {
    QWidget* w = Control(id);
    if (w == nullptr) {
        return;
    }
    QTimer::singleShot(0, w, [w] {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->selectAll();
        } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) {
            combo->lineEdit()->selectAll();
        }
    });
}

void QtDialogHost::SetListColumns(int id, const std::vector<ListColumn>& columns) {
    if (auto* list = qobject_cast<ListViewControl*>(Control(id))) {
        list->SetColumns(columns);
    }
}

void QtDialogHost::SetRowTexts(int id, int row, const std::vector<std::string>& texts) {
    if (auto* list = qobject_cast<ListViewControl*>(Control(id))) {
        list->SetRowTexts(row, texts);
    }
}

std::string QtDialogHost::RowText(int id, int row, int column) const {
    auto* list = qobject_cast<ListViewControl*>(Control(id));
    return list != nullptr ? list->RowText(row, column) : std::string();
}

void QtDialogHost::SetRowTooltip(int id, int row, const std::string& text) {
    if (auto* list = qobject_cast<ListViewControl*>(Control(id))) {
        list->SetRowTooltip(row, text);
    }
}

void QtDialogHost::SetRange(int id, int low, int high) {
    QWidget* w = Control(id);
    if (auto* upDown = qobject_cast<UpDownControl*>(w)) {
        upDown->SetRange(low, high);
    } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        bar->setRange(low, high);
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        spin->setRange(low, high);
    }
}

void QtDialogHost::SetPosition(int id, int position) {
    QWidget* w = Control(id);
    if (auto* upDown = qobject_cast<UpDownControl*>(w)) {
        upDown->SetPosition(position);
    } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        bar->setValue(position);
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        spin->setValue(position);
    } else if (auto* picture = dynamic_cast<PictureControl*>(w)) {
        picture->SetPicture(position);
    }
}

int QtDialogHost::Position(int id) const {
    QWidget* w = Control(id);
    if (auto* upDown = qobject_cast<UpDownControl*>(w)) {
        return upDown->position();
    }
    if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        return bar->value();
    }
    if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        return spin->value();
    }
    if (auto* picture = dynamic_cast<PictureControl*>(w)) {
        return picture->picture();
    }
    return 0;
}

void QtDialogHost::SetUpDownSteps(int id, const UpDownSteps& steps) {
    if (auto* upDown = qobject_cast<UpDownControl*>(Control(id))) {
        upDown->SetSteps(steps);
    }
}

void QtDialogHost::AttachBar(int barId, int buddy, int step) {
    if (auto* bar = qobject_cast<BarControl*>(Control(barId))) {
        bar->Attach(qobject_cast<QLineEdit*>(Control(buddy)), step);
    }
}

void QtDialogHost::SetDropDownWidth(int id, int pixels) {
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->setProperty(kDropDownWidthProperty, pixels);
        FitDropDown(combo);
    }
}

void QtDialogHost::SetDialogTitle(const std::string& title) {
    if (auto* dialog = qobject_cast<QDialog*>(widget_->window())) {
        dialog->setWindowTitle(ToQt(title));
    }
}

void QtDialogHost::EndDialog(int result) {
    if (auto* dialog = qobject_cast<QDialog*>(widget_->window())) {
        dialog->done(result);
    }
}

} // namespace zlc::ui::qt

#include "ui/qt/QtDialogHost.h"

#include "ui/qt/DialogUnits.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTimer>

namespace zlc::ui::qt {

namespace {

// Values and notes are shown in dark blue.
constexpr const char* kValueStyle = "color: #0000AF;";

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
        return true;
    default:
        return false;
    }
}

Qt::Alignment TextAlignment(const ControlTemplate& control) {
    return (control.style & ControlStyle::Centered) != 0 ? Qt::AlignCenter
                                                         : Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

QtDialogHost::QtDialogHost(const DialogTemplate& dialog, QWidget* parent,
                           std::function<DialogEvents*()> events)
    : QObject(parent), dialog_(dialog), widget_(new QWidget(parent)), events_(std::move(events)) {
    const DialogUnits units(widget_->font());
    widget_->resize(units.X(dialog.cx), units.Y(dialog.cy));
    std::vector<QWidget*> widgets;
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        const ControlTemplate& control = dialog.controls[i];
        QWidget* created = CreateControl(control, widget_);
        widgets.push_back(created);
        QRect rect = units.Rect(control.x, control.y, control.cx, control.cy);
        if (qobject_cast<QComboBox*>(created) != nullptr) {
            // A combo box's template height includes its drop-down list.
            rect.setHeight(created->sizeHint().height());
        }
        created->setGeometry(rect);
        created->setProperty(kControlIdProperty, control.id);
        created->setEnabled((control.style & ControlStyle::Disabled) == 0);
        if (control.id != kNoId) {
            controls_[control.id] = created;
        }
        ConnectEvents(control, created);
    }
    for (size_t i = 0; i < widgets.size(); ++i) {
        AddMnemonic(i, widgets);
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
        return new QGroupBox(QString(caption).remove('&'), parent);
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setWordWrap(control.cy > 12);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (control.id != kNoId) {
            label->setStyleSheet(kValueStyle); // notes the page fills in
        }
        return label;
    }
    case ControlKind::ReadOnlyText: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(TextAlignment(control));
        label->setTextFormat(Qt::PlainText);
        label->setStyleSheet(kValueStyle);
        if ((control.style & ControlStyle::Sunken) != 0) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        }
        return label;
    }
    case ControlKind::PushButton:
        return new QPushButton(caption, parent);
    case ControlKind::RadioButton: {
        auto* button = new QRadioButton(caption, parent);
        if (radioGroup_ == nullptr || (control.style & ControlStyle::Group) != 0) {
            radioGroup_ = new QButtonGroup(this);
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
        return combo;
    }
    default:
        // The list, up-down and bar controls come with the pages that use them.
        return new QWidget(parent);
    }
}

void QtDialogHost::ConnectEvents(const ControlTemplate& control, QWidget* widget) {
    const int id = control.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (DialogEvents* events = Events()) {
                events->OnClicked(id);
            }
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->installEventFilter(this);
        // Enter moves on to the next control, which commits the text.
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] { FocusNextControl(edit); });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->installEventFilter(this);
        // The combo box is its edit part's focus proxy: focus events reach the
        // filter through the combo box alone.
        if (QLineEdit* comboEdit = combo->lineEdit()) {
            connect(comboEdit, &QLineEdit::textEdited, this,
                    [this, id] { comboEdited_[id] = true; });
            connect(comboEdit, &QLineEdit::returnPressed, this,
                    [this, combo] { FocusNextControl(combo); });
        }
        connect(combo, &QComboBox::activated, this, [this, id](int) {
            comboEdited_[id] = false;
            if (DialogEvents* events = Events()) {
                events->OnSelectionChanged(id);
            }
        });
    }
}

// A label's or group's mnemonic moves the focus to the next control that
// can take it, as dialog navigation does.
void QtDialogHost::AddMnemonic(size_t index, const std::vector<QWidget*>& widgets) {
    const ControlTemplate& control = dialog_.controls[index];
    if (control.kind != ControlKind::Label && control.kind != ControlKind::GroupBox) {
        return;
    }
    const QKeySequence key = QKeySequence::mnemonic(QString::fromUtf8(control.caption));
    if (key.isEmpty()) {
        return;
    }
    for (size_t next = index + 1; next < dialog_.controls.size(); ++next) {
        if (!IsFocusable(dialog_.controls[next])) {
            continue;
        }
        QWidget* target = widgets[next];
        if (auto* label = qobject_cast<QLabel*>(widgets[index])) {
            label->setBuddy(target); // shows the mnemonic and moves the focus itself
            return;
        }
        auto* shortcut = new QShortcut(key, widget_);
        connect(shortcut, &QShortcut::activated, target, [target] {
            if (target->isEnabled()) {
                target->setFocus(Qt::ShortcutFocusReason);
            }
        });
        return;
    }
    // Nothing to move the focus to: show the caption without its marker.
    if (auto* label = qobject_cast<QLabel*>(widgets[index])) {
        label->setText(QString::fromUtf8(control.caption).remove(QRegularExpression("&(?!&)")));
    }
}

void QtDialogHost::FocusNextControl(QWidget* from) {
    QWidget* next = from->nextInFocusChain();
    while (next != from &&
           !(next->isEnabled() && next->isVisible() && (next->focusPolicy() & Qt::TabFocus) != 0)) {
        next = next->nextInFocusChain();
    }
    next->setFocus(Qt::TabFocusReason);
}

bool QtDialogHost::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A popup (the combo box's own list, a menu) takes the focus only
        // for a moment; leaving for it commits nothing.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (reason != Qt::PopupFocusReason && widget != nullptr) {
            const QVariant id = widget->property(kControlIdProperty);
            DialogEvents* events = Events();
            if (id.isValid() && events != nullptr) {
                events->OnFocusLost(id.toInt());
            }
        }
    }
    return QObject::eventFilter(watched, event);
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
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->clear();
        comboEdited_[id] = false;
    }
}

void QtDialogHost::AddItem(int id, const std::string& text) {
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->addItem(ToQt(text));
    }
}

int QtDialogHost::ItemCount(int id) const {
    auto* combo = qobject_cast<QComboBox*>(Control(id));
    return combo != nullptr ? combo->count() : 0;
}

std::string QtDialogHost::ItemText(int id, int index) const {
    auto* combo = qobject_cast<QComboBox*>(Control(id));
    return combo != nullptr ? combo->itemText(index).toStdString() : std::string();
}

int QtDialogHost::Selection(int id) const {
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
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->setCurrentIndex(index);
        comboEdited_[id] = false;
    }
}

void QtDialogHost::SetRange(int, int, int) {}

void QtDialogHost::SetPosition(int, int) {}

int QtDialogHost::Position(int) const {
    return 0;
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

} // namespace zlc::ui::qt

// What a keyboard user meets on the first pages: typed values are committed
// as typed, Enter commits, a menu command commits the field first, radio
// groups and mnemonics behave as dialog navigation does.
#include "model/SettingsTable.h"
#include "ui/qt/WindowFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

namespace zlc::ui::qt {
namespace {

constexpr int kClocksTab = 2;
constexpr int kClki = 1401;
constexpr int kBufferField = 1208;
constexpr int kUserDefined = 1206;

using KeyboardTest = WindowFixture;

TEST_F(KeyboardTest, TypedClockIsCommittedAsTypedNotCompleted) {
    ClickTab(kClocksTab);
    // Each of these begins a longer entry of the list.
    for (const auto& [typed, shown] :
         {std::pair{"1", "1.000"}, {"33.3", "33.300"}, {"25.17", "25.170"}}) {
        TypeAndLeave(kClki, typed);
        EXPECT_EQ(Control<QComboBox>(kClki)->currentText(), shown) << typed;
    }
    EXPECT_EQ(GetSetting(doc, SettingId::ClkiTiming), 25170000u);
}

TEST_F(KeyboardTest, EnterCommitsAndMovesOn) {
    ClickTab(kClocksTab);
    TypeInto(kClki, "33.3");
    Key(Qt::Key_Return);
    EXPECT_EQ(Control<QComboBox>(kClki)->currentText(), "33.300");
    EXPECT_NE(FocusedControl(), kClki);
    EXPECT_EQ(GetSetting(doc, SettingId::ClkiTiming), 33300000u);
}

// A menu command reached from the keyboard commits the field first: a
// rejected value stops the command, an accepted one is saved.
TEST_F(KeyboardTest, MenuCommandCommitsTheFocusedFieldFirst) {
    const std::string file = dir / "62740VIRT"; // a configurable program of our own
    zlc::test::WriteFile(file, zlc::test::ReadFile(std::string(ZLC_BIN_DIR) + "/62740VIRT"));
    Open(file);
    const auto before = zlc::test::ReadFile(file);
    Click(kUserDefined);
    TypeInto(kBufferField, "12x");
    Key(Qt::Key_F, Qt::AltModifier);
    Key(Qt::Key_S);
    EXPECT_EQ(Diagnostics(), "ERROR: \"12x\" is not a valid Phys Buff Addr!");
    EXPECT_TRUE(scripted->messages.empty());
    EXPECT_EQ(FocusedControl(), kBufferField);

    TypeInto(kBufferField, "12x");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(Diagnostics().startsWith("ERROR: \"12x\""));
    EXPECT_TRUE(scripted->messages.empty());
    EXPECT_EQ(zlc::test::ReadFile(file), before);

    TypeInto(kBufferField, "200000");
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(scripted->messages.size(), 1u);
    const auto saved =
        zlc::test::RunProgram("zlc62740", {"--in", file, "get", "--raw", "Phys Buff Addr"});
    EXPECT_EQ(saved.out, "2097152\n") << saved.err;
}

TEST_F(KeyboardTest, RadioGroupIsOneTabStopOnItsCheckedButton) {
    ClickTab(1);
    Click(1303); // 4 bpp
    Click(1305); // the PivotScan Enable check box, after the group
    Key(Qt::Key_Backtab);
    EXPECT_EQ(FocusedControl(), 1303);
    Key(Qt::Key_Down);
    EXPECT_EQ(FocusedControl(), 1304);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(window->PageControl(1304))->isChecked());
    EXPECT_EQ(GetSetting(doc, SettingId::BitsPerPixel), 8u);
    Key(Qt::Key_Down); // wraps round the group
    EXPECT_EQ(GetSetting(doc, SettingId::BitsPerPixel), 1u);
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusedControl(), 1305);

    Key(Qt::Key_C, Qt::AltModifier); // the group's mnemonic
    EXPECT_EQ(FocusedControl(), 1301);
    EXPECT_EQ(GetSetting(doc, SettingId::BitsPerPixel), 1u);
}

// Every mnemonic of a label or group is shown and moves the focus to the next
// control that can take it, without clicking it.
TEST_F(KeyboardTest, LabelAndGroupMnemonicsAreShownAndMoveTheFocus) {
    ClickTab(kClocksTab);
    for (const auto& [key, control] :
         {std::pair{Qt::Key_S, 1403}, {Qt::Key_D, 1404}, {Qt::Key_M, 1406}, {Qt::Key_I, kClki}}) {
        Key(key, Qt::AltModifier);
        EXPECT_EQ(FocusedControl(), control) << char(key);
    }
    QStringList titles;
    for (const QGroupBox* group : window->pageHost()->widget()->findChildren<QGroupBox*>()) {
        titles << group->title();
    }
    EXPECT_EQ(titles, QStringList({"CLK&I [MHz]", "PCLK", "&MCLK"}));
    ClickTab(1);
    Key(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(FocusedControl(), 1305);
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(window->PageControl(1305))->isChecked());
}

} // namespace
} // namespace zlc::ui::qt

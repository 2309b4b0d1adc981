#include "ui/GeneralPage.h"

#include "base/Format.h"
#include "model/SettingsTable.h"
#include "ui/AppIdentity.h"
#include "ui/SettingControls.h"

namespace zlc::ui {

namespace {

constexpr int kRegisterText = 1207;
constexpr int kBufferField = 1208;
constexpr int kNote = 1209;
constexpr int kUserDefined = 1206;
constexpr int kBufferDigits = 8;

constexpr PlatformRow kPlatforms[] = {
    {1201, {0x00F00000, 0x00F1FFE0}},         {1202, {0x00000000, 0x00000000}},
    {1204, {0x10E00000, 0x10E1FFE0}},         {1205, {0x14200000, 0x1421FFE0}},
    {kUserDefined, {0x00000000, 0x0001FFE0}}, // replaced by the shared state
};

bool IsPlatformButton(int id) {
    for (const PlatformRow& row : kPlatforms) {
        if (row.button == id) {
            return true;
        }
    }
    return false;
}

} // namespace

std::span<const PlatformRow> PlatformTable() {
    return kPlatforms;
}

PlatformAddresses GeneralPage::AddressesOf(int button) const {
    if (button == kUserDefined) {
        return state_.userDefined;
    }
    for (const PlatformRow& row : kPlatforms) {
        if (row.button == button) {
            return row.addresses;
        }
    }
    return {};
}

void GeneralPage::ShowAddresses(const PlatformAddresses& addresses) {
    host_.SetText(kRegisterText, Format("%08X", addresses.registers));
    host_.SetText(kBufferField, Format("%08X", addresses.memory));
}

void GeneralPage::EnableUserFields(bool enabled) {
    host_.SetEnabled(kBufferField, enabled);
    host_.SetEnabled(kRegisterText, enabled);
}

bool GeneralPage::StoreAddresses(const PlatformAddresses& addresses) {
    const bool memoryChanged = SetSetting(doc(), SettingId::PhysMemAddr, addresses.memory);
    const bool registersChanged = SetSetting(doc(), SettingId::PhysRegAddr, addresses.registers);
    return memoryChanged || registersChanged;
}

void GeneralPage::Create() {
    for (int id : {1201, kNote, 1202}) {
        host_.SetText(id, WithChipNumber(host_.GetText(id)));
    }
    const PlatformAddresses current{GetSetting(doc(), SettingId::PhysMemAddr),
                                    GetSetting(doc(), SettingId::PhysRegAddr)};
    selected_ = 0;
    for (const PlatformRow& row : kPlatforms) {
        const PlatformAddresses addresses = AddressesOf(row.button);
        const bool matches =
            addresses.registers == current.registers && addresses.memory == current.memory;
        host_.SetChecked(row.button, false);
        if (matches) {
            selected_ = row.button; // the last matching row wins
        }
    }
    if (selected_ != 0) {
        host_.SetChecked(selected_, true);
    }
    host_.SetTextLimit(kBufferField, kBufferDigits);
    EnableUserFields(selected_ == kUserDefined);
    ShowAddresses(current);
}

void GeneralPage::OnClicked(int id) {
    if (!IsPlatformButton(id) || id == selected_) {
        return;
    }
    selected_ = id;
    EnableUserFields(id == kUserDefined);
    const PlatformAddresses addresses = AddressesOf(id);
    ShowAddresses(addresses);
    StoreAddresses(addresses);
    ReportChange(id);
}

void GeneralPage::OnFocusLost(int id) {
    if (id != kBufferField) {
        return;
    }
    const auto typed = ParseHexField(host_, kBufferField);
    if (!typed) {
        ReportInvalidInput(host_, state_, kBufferField, false);
        return;
    }
    state_.userDefined = {*typed, *typed + kRegisterOffsetFromMemory};
    ShowAddresses(state_.userDefined);
    const bool changed = StoreAddresses(state_.userDefined);
    ClearInputError(state_, kBufferField);
    if (changed) {
        ReportChange(kBufferField);
    }
}

} // namespace zlc::ui

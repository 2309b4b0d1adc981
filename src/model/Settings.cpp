#include "base/BuildInfo.h"
#include "base/Format.h"
#include "model/SettingsTable.h"

#include <bit>

namespace zlc {

int IndexOfSetting(int id) {
    const auto rows = SettingsTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return kSettingCount;
}

const SettingEntry* FindSetting(int id) {
    const int index = IndexOfSetting(id);
    return index < kSettingCount ? &SettingsTable()[index] : nullptr;
}

uint32_t FieldShift(uint32_t mask) {
    return mask == 0 ? 0 : static_cast<uint32_t>(std::countr_zero(mask));
}

uint32_t FieldMax(uint32_t mask) {
    return mask >> FieldShift(mask);
}

uint32_t ReadField(const ConfigDocument& doc, const SettingEntry& row) {
    return (doc.GetRegister(static_cast<int>(row.reg)) & row.mask) >> FieldShift(row.mask);
}

void WriteField(ConfigDocument& doc, const SettingEntry& row, uint32_t value) {
    const uint32_t largest = FieldMax(row.mask);
    const uint32_t clamped = value > largest ? largest : value;
    const int reg = static_cast<int>(row.reg);
    const uint32_t shifted = ((clamped & 0xFF) << FieldShift(row.mask)) & 0xFF;
    doc.SetRegister(reg, (doc.GetRegister(reg) & ~row.mask) | shifted);
}

uint32_t GetSetting(const ConfigDocument& doc, int id) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr) {
        return 0;
    }
    if (row->get != nullptr) {
        return row->get(doc, *row);
    }
    return row->Has(SettingFlags::REGISTER) ? ReadField(doc, *row) : 0;
}

bool SetSetting(ConfigDocument& doc, int id, uint32_t value) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr) {
        return false;
    }
    const uint32_t before = GetSetting(doc, id);
    if (row->set != nullptr) {
        row->set(doc, *row, value);
    } else if (row->Has(SettingFlags::REGISTER)) {
        WriteField(doc, *row, value);
    }
    return value != before;
}

uint32_t GetSettingMin(const ConfigDocument&, int id) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr || row->min == nullptr) {
        return 0;
    }
    return row->min(*row);
}

uint32_t GetSettingMax(const ConfigDocument& doc, int id) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr) {
        return 0;
    }
    if (row->max != nullptr) {
        return row->max(doc, *row);
    }
    return row->Has(SettingFlags::REGISTER) ? FieldMax(row->mask) : 0;
}

std::optional<std::string> GetValueName(const ConfigDocument& doc, int id, uint32_t value) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr || row->valueName == nullptr) {
        return std::nullopt;
    }
    const char* name = row->valueName(doc, *row, value);
    if (name == nullptr) {
        return std::nullopt;
    }
    return std::string(name);
}

std::string FormatSettingValue(const ConfigDocument& doc, int id) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr) {
        return {};
    }
    if (id == SettingId::ZlcController) {
        return ChipNumber;
    }
    const uint32_t value = GetSetting(doc, id);
    if (row->Has(SettingFlags::ENUMERATED) && row->valueName != nullptr) {
        return GetValueName(doc, id, value).value_or("<ERROR>");
    }
    if (row->Has(SettingFlags::HEX)) {
        // Two digits for every started byte of the field; eight without a field.
        const int bits = row->mask == 0 ? 32 : std::popcount(row->mask);
        const int digits = 2 * ((bits + 7) / 8);
        return Format("%0*X", digits, value);
    }
    return Format("%u", value);
}

} // namespace zlc

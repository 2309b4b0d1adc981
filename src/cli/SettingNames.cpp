#include "cli/SettingNames.h"

#include "base/AsciiCase.h"
#include "base/Format.h"
#include "model/SettingsTable.h"

#include <algorithm>
#include <charconv>

namespace zlc::cli {

namespace {

std::optional<uint32_t> ParseDigits(std::string_view digits, int base) {
    uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

// "1B" or "1Bh": the register index, or -1.
int RegisterIndexFromHex(std::string_view digits) {
    if (!digits.empty() && (digits.back() == 'h' || digits.back() == 'H')) {
        digits.remove_suffix(1);
    }
    const auto index = ParseDigits(digits, 16);
    return index && *index < kRegisterCount ? static_cast<int>(*index) : -1;
}

// "REG[1Bh]", "REG[1B]" or "reg[1bh]": the register index, or -1.
int ParseRegisterName(std::string_view name) {
    if (!StartsWithIgnoringAsciiCase(name, "REG[") || name.back() != ']') {
        return -1;
    }
    return RegisterIndexFromHex(name.substr(4, name.size() - 5));
}

// The number of values an enumerated setting without a declared range names:
// 0, 1, ... up to the first without a name. 0 for any other setting.
uint32_t NamedValueCount(const ConfigDocument& doc, const SettingEntry& row) {
    constexpr uint32_t kMostNames = 256;
    if (!row.Has(SettingFlags::ENUMERATED) || row.Has(SettingFlags::REGISTER) ||
        row.max != nullptr || row.valueName == nullptr) {
        return 0;
    }
    uint32_t count = 0;
    while (count < kMostNames && GetValueName(doc, row.id, count)) {
        ++count;
    }
    return count;
}

// The value whose name the setting shows as `name`, found by trying each value
// on a scratch copy: some names depend on the panel kind, so the name a value
// would get is only known once it is set.
std::optional<uint32_t> ValueOfName(const ConfigDocument& doc, int id, std::string_view name) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr || !row->Has(SettingFlags::ENUMERATED) || row->valueName == nullptr) {
        return std::nullopt;
    }
    const uint32_t largest = std::max<uint32_t>(GetSettingMax(doc, id), 1);
    for (uint32_t value = 0; value <= largest; ++value) {
        ConfigDocument trial = doc;
        SetSetting(trial, id, value);
        if (GetSetting(trial, id) == value &&
            EqualsIgnoringAsciiCase(FormatSettingValue(trial, id), name)) {
            return value;
        }
    }
    // A choice that waits for the panel to take it (format 2 on a panel not
    // yet 8-bit) reads back as before; its own name still names it.
    for (uint32_t value = 0; value < NamedValueCount(doc, *row); ++value) {
        if (EqualsIgnoringAsciiCase(GetValueName(doc, id, value).value_or(""), name)) {
            return value;
        }
    }
    return std::nullopt;
}

// The values --set accepts for a setting: the range it declares (a plain
// register field declares its width); for an enumerated value of the
// document, the values it names; for a value of the block or the
// document without one, whatever its storage holds, found by storing the
// largest number and reading it back. A setting that converts into register
// bits of its own accord declares nothing and takes any number.
std::optional<std::pair<uint32_t, uint32_t>> AcceptedRange(const ConfigDocument& doc,
                                                           const SettingEntry& row) {
    if (row.max != nullptr || (row.Has(SettingFlags::REGISTER) && row.set == nullptr)) {
        return std::pair{GetSettingMin(doc, row.id), GetSettingMax(doc, row.id)};
    }
    if (const uint32_t named = NamedValueCount(doc, row); named > 0) {
        return std::pair<uint32_t, uint32_t>{0, named - 1};
    }
    if (row.Has(SettingFlags::REGISTER) || row.set == nullptr) {
        return std::nullopt;
    }
    ConfigDocument trial = doc;
    SetSetting(trial, row.id, UINT32_MAX);
    return std::pair<uint32_t, uint32_t>{0, GetSetting(trial, row.id)};
}

// A number too large for 32 bits, or a negative one: a number, but never
// one a setting takes.
bool IsOutOfRangeNumber(std::string_view text) {
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
        return ParseNumber(text).has_value() || IsOutOfRangeNumber(text);
    }
    const bool hex = StartsWithIgnoringAsciiCase(text, "0x");
    const std::string_view digits = hex ? text.substr(2) : text;
    uint64_t ignored = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), ignored, hex ? 16 : 10);
    return !digits.empty() && end == digits.data() + digits.size() &&
           (error == std::errc::result_out_of_range || ignored > UINT32_MAX);
}

std::string OutOfRange(const SettingEntry& row, std::string_view valueText,
                       std::pair<uint32_t, uint32_t> range) {
    return Format("%s: %.*s is out of range (%u to %u)", row.longName,
                  static_cast<int>(valueText.size()), valueText.data(), range.first, range.second);
}

// Refuses a number outside the setting's range; the model still rounds a
// value inside it as the pages do. The value a setting already holds is
// always accepted: a range that depends on other settings (the depth of a
// mono panel) must not refuse a configuration the model itself produced.
std::string SetNumber(ConfigDocument& doc, int id, std::string_view valueText,
                      std::optional<uint32_t> number) {
    const SettingEntry* row = FindSetting(id);
    const auto range = row != nullptr ? AcceptedRange(doc, *row) : std::nullopt;
    const bool unchanged = number && *number == GetSetting(doc, id);
    if (range && !unchanged && (!number || *number < range->first || *number > range->second)) {
        return OutOfRange(*row, valueText, *range);
    }
    if (!number) {
        return Format("%.*s is out of range", static_cast<int>(valueText.size()), valueText.data());
    }
    SetSetting(doc, id, *number);
    return {};
}

} // namespace

int ParseRegisterIndex(std::string_view text) {
    if (StartsWithIgnoringAsciiCase(text, "REG[")) {
        return ParseRegisterName(text);
    }
    return RegisterIndexFromHex(StartsWithIgnoringAsciiCase(text, "0x") ? text.substr(2) : text);
}

std::optional<SettingRef> ResolveSettingName(std::string_view name) {
    SettingRef ref;
    ref.registerIndex = ParseRegisterName(name);
    if (ref.IsRegister()) {
        return ref;
    }
    if (const auto id = ParseDigits(name, 10)) {
        if (FindSetting(static_cast<int>(*id)) == nullptr) {
            return std::nullopt;
        }
        ref.ids.push_back(static_cast<int>(*id));
        return ref;
    }
    for (const SettingEntry& row : SettingsTable()) {
        if (EqualsIgnoringAsciiCase(row.longName, name) ||
            EqualsIgnoringAsciiCase(row.shortName, name)) {
            ref.ids.push_back(row.id);
        }
    }
    if (ref.ids.empty()) {
        return std::nullopt;
    }
    return ref;
}

std::optional<uint32_t> ParseNumber(std::string_view text) {
    if (StartsWithIgnoringAsciiCase(text, "0x")) {
        return ParseDigits(text.substr(2), 16);
    }
    return ParseDigits(text, 10);
}

std::string ApplyAssignment(ConfigDocument& doc, std::string_view assignment) {
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        return Format("expected NAME=VALUE, got \"%.*s\"", static_cast<int>(assignment.size()),
                      assignment.data());
    }
    const std::string_view name = assignment.substr(0, equals);
    const std::string_view valueText = assignment.substr(equals + 1);
    const auto ref = ResolveSettingName(name);
    if (!ref) {
        return Format("unknown setting \"%.*s\"", static_cast<int>(name.size()), name.data());
    }
    const auto number = ParseNumber(valueText);
    if (ref->IsRegister()) {
        if (!number || *number > 0xFF) {
            return Format("\"%.*s\" is not a register value (0 to 255)",
                          static_cast<int>(valueText.size()), valueText.data());
        }
        doc.SetRegister(ref->registerIndex, *number);
        return {};
    }
    if (number || IsOutOfRangeNumber(valueText)) {
        return SetNumber(doc, ref->ids.front(), valueText, number);
    }
    for (int id : ref->ids) {
        if (const auto value = ValueOfName(doc, id, valueText)) {
            SetSetting(doc, id, *value);
            return {};
        }
    }
    return Format("\"%.*s\" is neither a number nor a value name of \"%.*s\"",
                  static_cast<int>(valueText.size()), valueText.data(),
                  static_cast<int>(name.size()), name.data());
}

std::string DescribeValue(const ConfigDocument& doc, const SettingRef& ref, bool raw) {
    if (ref.IsRegister()) {
        const uint8_t value = doc.GetRegister(ref.registerIndex);
        return raw ? Format("%u", value) : Format("%02X", value);
    }
    const int id = ref.ids.front();
    return raw ? Format("%u", GetSetting(doc, id)) : FormatSettingValue(doc, id);
}

} // namespace zlc::cli

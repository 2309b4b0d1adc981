#include "model/SettingTexts.h"

#include "base/AsciiCase.h"
#include "base/Format.h"
#include "model/SettingsTable.h"

#include <algorithm>
#include <bit>
#include <cstdarg>
#include <vector>

namespace zlc {

namespace {

using namespace SettingFlags;

struct FieldBits {
    int lo;
    int hi;
};

FieldBits BitsOf(uint32_t mask) {
    return {std::countr_zero(mask), 31 - std::countl_zero(mask)};
}

std::string RegisterReference(const SettingEntry& row, bool compact) {
    const auto [lo, hi] = BitsOf(row.mask);
    const unsigned reg = row.reg;
    if (lo == hi) {
        return compact ? Format("REG[%02Xh-b%d]", reg, lo) : Format("REG[%02Xh] Bit %d", reg, lo);
    }
    return compact ? Format("REG[%02Xh-b%d:%d]", reg, hi, lo)
                   : Format("REG[%02Xh] Bits %d:%d", reg, hi, lo);
}

std::string AttributeTags(const SettingEntry& row, bool compact) {
    std::string tags;
    if (row.Has(RESERVED)) {
        tags += compact ? "RSVD," : "RESERVED,";
    }
    if (row.Has(READONLY)) {
        tags += compact ? "RO," : "READONLY,";
    }
    if (row.Has(WRITEONLY)) {
        tags += compact ? "WO," : "WRITEONLY,";
    }
    if (tags.empty()) {
        return tags;
    }
    tags.back() = ']';
    return "[" + tags;
}

// The formula with its one "%s" replaced; substituted by hand so that a
// formula text is never interpreted as a format.
std::string FillFormula(std::string_view formula, const std::string& reference) {
    std::string text(formula);
    const size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, reference);
    }
    return text;
}

// A row that views the same field as its neighbour in the table.
bool IsSecondView(std::span<const SettingEntry> rows, size_t i) {
    auto sameField = [&](size_t j) {
        return rows[j].reg == rows[i].reg && rows[j].mask == rows[i].mask;
    };
    return (i > 0 && sameField(i - 1)) || (i + 1 < rows.size() && sameField(i + 1));
}

std::string HelpTextOfRow(const SettingEntry& row) {
    std::string text;
    if (row.help != nullptr) {
        AppendFormat(text, "%s\n%s\n", row.help, std::string(50, '_').c_str());
    }
    text += SettingText(row.id, TextStyle::Name | TextStyle::Tags);
    if (row.unit != nullptr) {
        AppendFormat(text, " (%s)", row.unit);
    }
    if (row.id == SettingId::VertPanelSize) {
        AppendFormat(text, " = %s", row.formula);
    } else if (row.id == SettingId::PanelDataFormat) {
        text += " is a derived value.";
    } else if (row.Has(REGISTER)) {
        const std::string reference =
            SettingText(row.id, TextStyle::Reference | TextStyle::Compact);
        text += " = ";
        text += row.formula != nullptr ? FillFormula(row.formula, reference) : reference;
    } else {
        text += " is not a register value.";
    }
    return text;
}

} // namespace

std::string SettingText(int id, int style) {
    const SettingEntry* row = FindSetting(id);
    if (row == nullptr) {
        return {};
    }
    const bool compact = (style & TextStyle::Compact) != 0;
    std::string text;
    if ((style & TextStyle::Name) != 0) {
        text += compact ? row->shortName : row->longName;
        text += ' ';
    }
    // A setting that is not a register field has no reference to give.
    if ((style & TextStyle::Reference) != 0 && row->mask != 0) {
        const std::string reference = RegisterReference(*row, compact);
        text += (style & TextStyle::Name) != 0 ? "(" + reference + ")" : reference;
        text += ' ';
    }
    if ((style & TextStyle::Tags) != 0) {
        const std::string tags = AttributeTags(*row, compact);
        if (!tags.empty()) {
            text += tags + ' ';
        }
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

std::string RegisterBreakdown(const ConfigDocument& doc, int index) {
    std::string text;
    const auto rows = SettingsTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        const SettingEntry& row = rows[i];
        if (!row.Has(REGISTER) || row.Has(RESERVED) || static_cast<int>(row.reg) != index) {
            continue;
        }
        if (IsSecondView(rows, i) && !row.Has(ENUMERATED)) {
            continue;
        }
        if (text.empty()) {
            text = Format("Register %04Xh breakdown:", static_cast<unsigned>(index));
        }
        const auto [lo, hi] = BitsOf(row.mask);
        text += "\n  ";
        text += lo == hi ? Format("[Bit%d]  ", lo) : Format("[Bits%d:%d]  ", hi, lo);
        AppendFormat(
            text, "%s = ",
            SettingText(row.id, TextStyle::Name | TextStyle::Tags | TextStyle::Compact).c_str());
        text += FormatSettingValue(doc, row.id);
        text += row.Has(HEX) ? "h " : " ";
        if (row.unit != nullptr) {
            AppendFormat(text, "%s ", row.unit);
        }
    }
    return text;
}

std::string SettingHelpText(std::span<const int> ids) {
    std::string text;
    for (const SettingEntry& row : SettingsTable()) {
        if (std::find(ids.begin(), ids.end(), row.id) != ids.end()) {
            text += HelpTextOfRow(row);
        }
    }
    return text;
}

std::string SettingHelpText(int id) {
    return SettingHelpText(std::span<const int>(&id, 1));
}

std::string IdentifierFromRegisterName(std::string_view name) {
    static constexpr std::string_view kWords[] = {"FPLine", "FPFrame", "MOD", "PiP", "GPIO",  "PWM",
                                                  "BLT",    "ROP",     "USB", "EP1", "EP2",   "EP3",
                                                  "EP4",    "FIFO",    "MSB", "LSB", "USBFC", "IO"};
    std::string identifier;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('_', start), name.size());
        std::string piece = ToAsciiLower(name.substr(start, end - start));
        start = end + 1;
        if (piece.empty()) {
            continue;
        }
        piece[0] = AsciiUpper(piece[0]);
        for (std::string_view word : kWords) {
            if (EqualsIgnoringAsciiCase(word, piece)) {
                piece = word;
                break;
            }
        }
        identifier += piece;
    }
    return identifier;
}

std::string PaddedInitializerValue(int width, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string value = FormatV(format, args) + ",";
    va_end(args);
    if (value.size() > static_cast<size_t>(width)) {
        return value + "  ";
    }
    value.resize(static_cast<size_t>(width), ' ');
    return value;
}

} // namespace zlc

#pragma once

#include "model/ConfigDocument.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zlc::cli {

// What a NAME on the command line designates: the settings carrying that name
// (more than one where two views share a name), or one register byte.
struct SettingRef {
    std::vector<int> ids;
    int registerIndex = -1;

    bool IsRegister() const { return registerIndex >= 0; }
};

// Resolves a long name, short name, identifier or "REG[1Bh]"; names are
// compared without regard to case. Empty when nothing carries the name.
std::optional<SettingRef> ResolveSettingName(std::string_view name);

// A register written "REG[1Bh]", "1B", "1Bh" or "0x1B": its index, or -1.
int ParseRegisterIndex(std::string_view text);

// Decimal or 0x-hexadecimal, within 32 bits.
std::optional<uint32_t> ParseNumber(std::string_view text);

// Applies NAME=VALUE to the document. VALUE is a number in the setting's own
// unit or, for an enumerated setting, one of its value names. Returns an
// error text, empty on success.
std::string ApplyAssignment(ConfigDocument& doc, std::string_view assignment);

// FormatSettingValue (or GetSetting with raw) of what the name designates.
std::string DescribeValue(const ConfigDocument& doc, const SettingRef& ref, bool raw);

} // namespace zlc::cli

#pragma once

#include "model/ConfigDocument.h"

#include <span>
#include <string>
#include <string_view>

namespace zlc {

// Style bits of SettingText; they combine.
namespace TextStyle {
inline constexpr int Name = 1;      // the name
inline constexpr int Reference = 2; // the register reference
inline constexpr int Tags = 4;      // [RESERVED,READONLY,WRITEONLY] where they apply
inline constexpr int Compact = 8;   // short name, compact reference and tags
} // namespace TextStyle

// A description of one setting built from its name, register reference and
// attribute tags, e.g. "Horizontal Panel Size (REG[04h] Bits 6:0)" for style 3.
// Empty for an unknown id.
std::string SettingText(int id, int style);

// Every setting field of one register with its current value, headed
// "Register 0004h breakdown:"; empty for a register without fields.
std::string RegisterBreakdown(const ConfigDocument& doc, int index);

// The tooltip text of a control: the texts of the settings bound to it, in
// table order, joined without separator. Empty when no setting is given.
std::string SettingHelpText(std::span<const int> ids);
std::string SettingHelpText(int id);

// "SCRN1_START_ADDR_LSB" -> "Scrn1StartAddrLSB", for generated identifiers.
std::string IdentifierFromRegisterName(std::string_view name);

// One value of a C initializer list with its comma, left-justified in `width`
// columns so that the comments behind it line up; a longer value is followed
// by two blanks instead.
std::string PaddedInitializerValue(int width, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

} // namespace zlc

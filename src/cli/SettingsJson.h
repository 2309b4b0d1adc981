#pragma once

#include "model/ConfigDocument.h"
#include "model/SettingsTable.h"

#include <string>

namespace zlc::cli {

// The unit of a value as GetSetting reads it: clocks count in Hz, although
// the table's "MHz" is the unit the pages show them in.
const char* ShownUnit(const SettingEntry& row);

// Every setting as the JSON object that `show --json` prints and a settings
// file may hold: id, long and short name, shown value, raw value and unit of
// each, then the mode description. The two LCD power delays are among them,
// so the text keeps what no configurable file holds.
std::string SettingsJson(const ConfigDocument& doc);

} // namespace zlc::cli

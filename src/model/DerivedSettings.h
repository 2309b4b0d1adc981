#pragma once

#include "model/SettingsTable.h"

namespace zlc {

// The row operations of the settings whose value is not a plain register
// field: block and document fields, formulas over one field, values composed of
// several registers, computed clocks and memory, and the two data-width views.
namespace derived {

uint32_t GetChipNumberLength(const ConfigDocument&, const SettingEntry&);
void SetNothing(ConfigDocument&, const SettingEntry&, uint32_t);

uint32_t GetClki(const ConfigDocument&, const SettingEntry&);
void SetClki(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetPhysRegAddr(const ConfigDocument&, const SettingEntry&);
void SetPhysRegAddr(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetPhysMemAddr(const ConfigDocument&, const SettingEntry&);
void SetPhysMemAddr(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetFrameRate(const ConfigDocument&, const SettingEntry&);
void SetFrameRate(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetPowerOffTime(const ConfigDocument&, const SettingEntry&);
void SetPowerOffTime(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetPowerOnTime(const ConfigDocument&, const SettingEntry&);
void SetPowerOnTime(ConfigDocument&, const SettingEntry&, uint32_t);

uint32_t GetRequiredVram(const ConfigDocument&, const SettingEntry&);
uint32_t GetPixelClock(const ConfigDocument&, const SettingEntry&);
uint32_t GetMemoryClock(const ConfigDocument&, const SettingEntry&);
uint32_t GetTotalVideoMemory(const ConfigDocument&, const SettingEntry&);

uint32_t GetPanelDataFormat(const ConfigDocument&, const SettingEntry&);
void SetPanelDataFormat(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetDataWidthBits(const ConfigDocument&, const SettingEntry&);
void SetDataWidthBits(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetDataWidthChoice(const ConfigDocument&, const SettingEntry&);
void SetDataWidthChoice(ConfigDocument&, const SettingEntry&, uint32_t);
const char* DataWidthChoiceName(const ConfigDocument&, const SettingEntry&, uint32_t);

uint32_t GetBitsPerPixel(const ConfigDocument&, const SettingEntry&);
void SetBitsPerPixel(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t MaxBitsPerPixel(const ConfigDocument&, const SettingEntry&);
const char* BitsPerPixelName(const ConfigDocument&, const SettingEntry&, uint32_t);

uint32_t GetHorzPanelSize(const ConfigDocument&, const SettingEntry&);
void SetHorzPanelSize(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetVertPanelSize(const ConfigDocument&, const SettingEntry&);
void SetVertPanelSize(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetFplineStart(const ConfigDocument&, const SettingEntry&);
void SetFplineStart(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetHorzNonDisplay(const ConfigDocument&, const SettingEntry&);
void SetHorzNonDisplay(ConfigDocument&, const SettingEntry&, uint32_t);

uint32_t GetScreen1Start(const ConfigDocument&, const SettingEntry&);
void SetScreen1Start(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetScreen2Start(const ConfigDocument&, const SettingEntry&);
void SetScreen2Start(ConfigDocument&, const SettingEntry&, uint32_t);
uint32_t GetScreen1VirtualSize(const ConfigDocument&, const SettingEntry&);
void SetScreen1VirtualSize(ConfigDocument&, const SettingEntry&, uint32_t);

// Store the PivotScan bit, then recompute the start address and stride.
void SetPivotScanBit(ConfigDocument&, const SettingEntry&, uint32_t);

} // namespace derived

// Recomputes "Screen 1 Start Address" and "Line Byte Count" from the panel
// height, colour depth and PivotScan bits, as the HAL programs them. Setting
// the panel size, the depth or a PivotScan bit runs it.
void RecomputePivotScanAddressing(ConfigDocument& doc);

// The bytes of one displayed line in PivotScan: a column of the panel.
uint32_t PivotScanLineBytes(const ConfigDocument& doc);

} // namespace zlc

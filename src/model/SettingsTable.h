#pragma once

#include "model/ConfigDocument.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zlc {

namespace SettingFlags {
inline constexpr uint32_t REGISTER = 0x001;
inline constexpr uint32_t RESERVED = 0x010;
inline constexpr uint32_t READONLY = 0x020;
inline constexpr uint32_t WRITEONLY = 0x040;
inline constexpr uint32_t ENUMERATED = 0x080;
inline constexpr uint32_t HEX = 0x100;
} // namespace SettingFlags

// Identifiers of the settings that code refers to by name.
namespace SettingId {
inline constexpr int ZlcController = 1;
inline constexpr int ClkiTiming = 2;
inline constexpr int PhysRegAddr = 3;
inline constexpr int PhysMemAddr = 4;
inline constexpr int FrameRate = 5;
inline constexpr int LcdPowerOffTime = 6;
inline constexpr int LcdPowerOnTime = 7;
inline constexpr int RequiredVram = 8;
inline constexpr int PixelClock = 9;
inline constexpr int MemoryClock = 10;
inline constexpr int TotalVideoMemory = 11;
inline constexpr int PanelDataFormat = 12;
inline constexpr int ProductCode = 13;
inline constexpr int RevisionCode = 14;
inline constexpr int TftStn = 15;
inline constexpr int DualSingle = 16;
inline constexpr int ColorMono = 17;
inline constexpr int FplinePolarity = 18;
inline constexpr int FpframePolarity = 19;
inline constexpr int MaskFpshift = 20;
inline constexpr int DataWidthBits = 21;
inline constexpr int DataWidthChoice = 22;
inline constexpr int BitsPerPixel = 23;
inline constexpr int HighPerformance = 24;
inline constexpr int InputClockDivide = 25;
inline constexpr int DisplayBlank = 26;
inline constexpr int FrameRepeat = 27;
inline constexpr int HardwareVideoInvert = 28;
inline constexpr int SoftwareVideoInvert = 29;
inline constexpr int LcdpwrOverride = 30;
inline constexpr int HardwarePowerSave = 31;
inline constexpr int SoftwarePowerSave = 32;
inline constexpr int HorzPanelSize = 33;
inline constexpr int VertPanelSize = 34;
inline constexpr int VertPanelSizeLsb = 35;
inline constexpr int VertPanelSizeMsb = 36;
inline constexpr int FplineStart = 37;
inline constexpr int HorzNonDisplay = 38;
inline constexpr int FpframeStart = 39;
inline constexpr int VertNonDisplayStatus = 40;
inline constexpr int VertNonDisplay = 41;
inline constexpr int ModRate = 42;
inline constexpr int Screen1Start = 43;
inline constexpr int Screen1StartLsb = 44;
inline constexpr int Screen1StartMsb = 45;
inline constexpr int Screen2Start = 46;
inline constexpr int Screen2StartLsb = 47;
inline constexpr int Screen2StartMsb = 48;
inline constexpr int Screen1StartBit16 = 49;
inline constexpr int MemAddrOffset = 50;
inline constexpr int Screen1VirtualSize = 51;
inline constexpr int Screen1VirtualSizeLsb = 52;
inline constexpr int Screen1VirtualSizeMsb = 53;
inline constexpr int LutAddress = 54;
inline constexpr int LutData = 55;
inline constexpr int GpioConfig = 56;
inline constexpr int GpioStatus = 57;
inline constexpr int ScratchPad = 58;
inline constexpr int PivotScanEnable = 59;
inline constexpr int PivotScanSelect = 60;
inline constexpr int PortraitMclk = 61;
inline constexpr int PivotScanPclk = 62;
inline constexpr int LineByteCount = 63;
} // namespace SettingId

inline constexpr int kSettingCount = 63;

// One row of the settings table. A row without its own get or set operation
// reads or writes the register field (reg, mask); a row without min or max
// operation has the defaults of GetSettingMin / GetSettingMax.
struct SettingEntry {
    int id;
    uint32_t flags;
    uint32_t reg;
    uint32_t mask;
    uint32_t (*get)(const ConfigDocument&, const SettingEntry&);
    uint32_t (*min)(const SettingEntry&);
    uint32_t (*max)(const ConfigDocument&, const SettingEntry&);
    void (*set)(ConfigDocument&, const SettingEntry&, uint32_t);
    // nullptr when the value has no name.
    const char* (*valueName)(const ConfigDocument&, const SettingEntry&, uint32_t);
    const char* formula;
    const char* unit;
    const char* shortName;
    const char* longName;
    const char* help;

    bool Has(uint32_t flag) const { return (flags & flag) != 0; }
};

// The 63 rows in identifier order: the row of identifier n is row n - 1.
std::span<const SettingEntry> SettingsTable();

// The row index of the first row carrying id; kSettingCount when none does.
int IndexOfSetting(int id);
// The row of id, or nullptr.
const SettingEntry* FindSetting(int id);

// Register field access: clamped writes that keep the register's other bits.
uint32_t FieldShift(uint32_t mask);
uint32_t FieldMax(uint32_t mask);
uint32_t ReadField(const ConfigDocument& doc, const SettingEntry& row);
void WriteField(ConfigDocument& doc, const SettingEntry& row, uint32_t value);

uint32_t GetSetting(const ConfigDocument& doc, int id);
// Returns whether the value given differs from the value read before the store.
bool SetSetting(ConfigDocument& doc, int id, uint32_t value);
uint32_t GetSettingMin(const ConfigDocument& doc, int id);
uint32_t GetSettingMax(const ConfigDocument& doc, int id);
std::optional<std::string> GetValueName(const ConfigDocument& doc, int id, uint32_t value);
std::string FormatSettingValue(const ConfigDocument& doc, int id);

} // namespace zlc

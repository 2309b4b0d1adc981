#include "model/DerivedSettings.h"

#include "base/BuildInfo.h"

#include <algorithm>
#include <string>

namespace zlc {

namespace {

constexpr uint32_t kTotalVideoMemory = 81920;
constexpr uint32_t kChipNumberLength = std::char_traits<char>::length(ChipNumber);

uint32_t Get(const ConfigDocument& doc, int id) {
    return GetSetting(doc, id);
}

void Set(ConfigDocument& doc, int id, uint32_t value) {
    SetSetting(doc, id, value);
}

// REG[01h] bits 1:0, whose meaning depends on the panel kind.
uint32_t DataWidthCode(const ConfigDocument& doc) {
    return doc.GetRegister(0x01) & 0x03;
}

bool IsActivePanel(const ConfigDocument& doc) {
    return Get(doc, SettingId::TftStn) != 0;
}

bool IsColorSinglePassive(const ConfigDocument& doc) {
    return !IsActivePanel(doc) && Get(doc, SettingId::ColorMono) == 1 &&
           Get(doc, SettingId::DualSingle) == 0;
}

// Width in bits of a passive panel's data path by colour, dual and code; 0 is
// a code that the panel kind reserves.
uint32_t PassiveDataWidth(const ConfigDocument& doc, uint32_t code) {
    static constexpr uint32_t kWidths[2][2][4] = {
        {{4, 8, 0, 0}, {0, 8, 0, 0}}, // mono: single, dual
        {{4, 8, 0, 8}, {0, 8, 0, 0}}, // colour: single, dual
    };
    const uint32_t color = Get(doc, SettingId::ColorMono) & 1;
    const uint32_t dual = Get(doc, SettingId::DualSingle) & 1;
    return kWidths[color][dual][code & 3];
}

void WriteDataWidthCode(ConfigDocument& doc, const SettingEntry& row, uint32_t code) {
    WriteField(doc, row, code);
}

uint32_t NextPowerOfTwo(uint32_t value) {
    uint32_t power = 1;
    while (power < value && power < 0x80000000u) {
        power <<= 1;
    }
    return power;
}

} // namespace

uint32_t PivotScanLineBytes(const ConfigDocument& doc) {
    return Get(doc, SettingId::VertPanelSize) * Get(doc, SettingId::BitsPerPixel) / 8;
}

// The addressing the HAL programs when it sets the orientation: in landscape
// the start address and line byte count are 0; in PivotScan a displayed line
// is a panel column, the start address its last byte, and the count the line
// itself in the alternate mode, else the line rounded up to a power of two,
// 256 stored as 0. A line the count cannot hold is stored by the same formula
// and reported by the validation.
void RecomputePivotScanAddressing(ConfigDocument& doc) {
    if (Get(doc, SettingId::PivotScanEnable) == 0) {
        Set(doc, SettingId::Screen1Start, 0);
        Set(doc, SettingId::LineByteCount, 0);
        return;
    }
    const uint32_t lineBytes = std::max<uint32_t>(PivotScanLineBytes(doc), 1);
    const uint32_t count =
        Get(doc, SettingId::PivotScanSelect) != 0 ? lineBytes : NextPowerOfTwo(lineBytes);
    Set(doc, SettingId::Screen1Start, lineBytes - 1);
    Set(doc, SettingId::LineByteCount, count & 255);
}

namespace derived {

uint32_t GetChipNumberLength(const ConfigDocument&, const SettingEntry&) {
    return kChipNumberLength;
}

void SetNothing(ConfigDocument&, const SettingEntry&, uint32_t) {}

uint32_t GetClki(const ConfigDocument& doc, const SettingEntry&) {
    return doc.block.clkiKHz * 1000;
}

void SetClki(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    doc.block.clkiKHz = value / 1000;
}

uint32_t GetPhysRegAddr(const ConfigDocument& doc, const SettingEntry&) {
    return doc.block.physRegAddr;
}

void SetPhysRegAddr(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    doc.block.physRegAddr = value;
}

uint32_t GetPhysMemAddr(const ConfigDocument& doc, const SettingEntry&) {
    return doc.block.physMemAddr;
}

void SetPhysMemAddr(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    doc.block.physMemAddr = value;
}

uint32_t GetFrameRate(const ConfigDocument& doc, const SettingEntry&) {
    return doc.block.frameRate;
}

void SetFrameRate(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    doc.block.frameRate = static_cast<uint16_t>(value);
}

uint32_t GetPowerOffTime(const ConfigDocument& doc, const SettingEntry&) {
    return doc.lcdPowerOffTimeMs;
}

void SetPowerOffTime(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    doc.lcdPowerOffTimeMs = value;
}

uint32_t GetPowerOnTime(const ConfigDocument& doc, const SettingEntry&) {
    return doc.lcdPowerOnTimeMs;
}

void SetPowerOnTime(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    doc.lcdPowerOnTimeMs = value;
}

uint32_t GetRequiredVram(const ConfigDocument& doc, const SettingEntry&) {
    const uint32_t lineBytes =
        Get(doc, SettingId::HorzPanelSize) * Get(doc, SettingId::BitsPerPixel) / 8;
    return lineBytes * Get(doc, SettingId::VertPanelSize);
}

uint32_t GetPixelClock(const ConfigDocument& doc, const SettingEntry&) {
    const uint32_t clki = Get(doc, SettingId::ClkiTiming);
    if (Get(doc, SettingId::PivotScanEnable) == 0) {
        return clki;
    }
    const uint32_t select = Get(doc, SettingId::PivotScanPclk);
    if (select != 0) {
        return clki >> select;
    }
    return clki / (Get(doc, SettingId::PivotScanSelect) + 1);
}

uint32_t GetMemoryClock(const ConfigDocument& doc, const SettingEntry& row) {
    const uint32_t clki = Get(doc, SettingId::ClkiTiming);
    if (Get(doc, SettingId::PivotScanEnable) == 0) {
        const uint32_t pclk = GetPixelClock(doc, row);
        if (Get(doc, SettingId::HighPerformance) == 1) {
            return pclk;
        }
        return pclk / (8 / Get(doc, SettingId::BitsPerPixel));
    }
    const uint32_t select = Get(doc, SettingId::PivotScanPclk);
    if (select == 0) {
        return clki;
    }
    if (Get(doc, SettingId::PivotScanSelect) == 1) {
        return clki >> (select - 1);
    }
    return clki >> select;
}

uint32_t GetTotalVideoMemory(const ConfigDocument&, const SettingEntry&) {
    return kTotalVideoMemory;
}

uint32_t GetPanelDataFormat(const ConfigDocument& doc, const SettingEntry&) {
    doc.format2Selected = IsColorSinglePassive(doc) && DataWidthCode(doc) == 3;
    return doc.format2Selected ? 1 : 0;
}

void SetPanelDataFormat(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    doc.format2Selected = value == 1;
    if (IsColorSinglePassive(doc) && (DataWidthCode(doc) & 1) != 0) {
        const uint32_t code = value != 0 ? 3 : 1;
        doc.SetRegister(0x01, (doc.GetRegister(0x01) & ~0x03u) | code);
    }
}

uint32_t GetDataWidthBits(const ConfigDocument& doc, const SettingEntry&) {
    if (IsActivePanel(doc)) {
        return (DataWidthCode(doc) & 1) != 0 ? 12 : 9;
    }
    return PassiveDataWidth(doc, DataWidthCode(doc));
}

void SetDataWidthBits(ConfigDocument& doc, const SettingEntry& row, uint32_t width) {
    if (IsActivePanel(doc)) {
        WriteDataWidthCode(doc, row, width == 12 ? 1 : 0);
        return;
    }
    const uint32_t eightBit = width == 8 ? 1 : 0;
    if (eightBit != 0 && IsColorSinglePassive(doc)) {
        WriteDataWidthCode(doc, row, doc.format2Selected ? 3 : 1);
        return;
    }
    doc.format2Selected = false;
    WriteDataWidthCode(doc, row, eightBit);
}

uint32_t GetDataWidthChoice(const ConfigDocument& doc, const SettingEntry&) {
    if (IsActivePanel(doc)) {
        return DataWidthCode(doc) & 1;
    }
    return PassiveDataWidth(doc, DataWidthCode(doc)) == 8 ? 1 : 0;
}

void SetDataWidthChoice(ConfigDocument& doc, const SettingEntry& row, uint32_t choice) {
    if (IsActivePanel(doc)) {
        WriteDataWidthCode(doc, row, choice);
        return;
    }
    const uint64_t position = uint64_t{choice} + 2 * (Get(doc, SettingId::DualSingle) +
                                                      2 * Get(doc, SettingId::ColorMono));
    if (position > 7) {
        WriteDataWidthCode(doc, row, 0);
        return;
    }
    constexpr uint64_t kColorSingleEightBit = 5;
    if (position == kColorSingleEightBit) {
        WriteDataWidthCode(doc, row, doc.format2Selected ? 3 : 1);
        return;
    }
    doc.format2Selected = false;
    WriteDataWidthCode(
        doc, row,
        static_cast<uint32_t>(position % 2)); // even positions are 4-bit or reserved: code 0
}

const char* DataWidthChoiceName(const ConfigDocument& doc, const SettingEntry& row, uint32_t) {
    if (IsActivePanel(doc)) {
        return (DataWidthCode(doc) & 1) != 0 ? "12-Bit" : "9-Bit";
    }
    switch (PassiveDataWidth(doc, GetDataWidthChoice(doc, row))) {
    case 4:
        return "4-Bit";
    case 8:
        return "8-Bit";
    default:
        return "<RESERVED>";
    }
}

uint32_t GetBitsPerPixel(const ConfigDocument& doc, const SettingEntry& row) {
    return 1u << ReadField(doc, row);
}

void SetBitsPerPixel(ConfigDocument& doc, const SettingEntry& row, uint32_t value) {
    switch (value) {
    case 1:
        WriteField(doc, row, 0);
        break;
    case 2:
        WriteField(doc, row, 1);
        break;
    case 4:
        WriteField(doc, row, 2);
        break;
    case 8:
        WriteField(doc, row, 3);
        break;
    default:
        WriteField(doc, row, value);
        break;
    }
    RecomputePivotScanAddressing(doc);
}

uint32_t MaxBitsPerPixel(const ConfigDocument& doc, const SettingEntry&) {
    return Get(doc, SettingId::ColorMono) == 1 ? 8 : 4;
}

const char* BitsPerPixelName(const ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    switch (value) {
    case 1:
        return "1";
    case 2:
        return "2";
    case 4:
        return "4";
    case 8:
        return Get(doc, SettingId::ColorMono) == 1 ? "8" : "<RESERVED>";
    default:
        return "<RESERVED>";
    }
}

// The formula setters below let an out-of-range result wrap; the field write
// then clamps it to the field's largest value.
uint32_t GetHorzPanelSize(const ConfigDocument& doc, const SettingEntry& row) {
    return (ReadField(doc, row) + 1) * 8;
}

void SetHorzPanelSize(ConfigDocument& doc, const SettingEntry& row, uint32_t value) {
    WriteField(doc, row, value / 8 - 1);
    RecomputePivotScanAddressing(doc);
}

uint32_t GetVertPanelSize(const ConfigDocument& doc, const SettingEntry&) {
    return Get(doc, SettingId::VertPanelSizeMsb) * 256 + Get(doc, SettingId::VertPanelSizeLsb) + 1;
}

void SetVertPanelSize(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    Set(doc, SettingId::VertPanelSizeMsb, (value - 1) / 256);
    Set(doc, SettingId::VertPanelSizeLsb, (value - 1) & 255);
    RecomputePivotScanAddressing(doc);
}

uint32_t GetFplineStart(const ConfigDocument& doc, const SettingEntry& row) {
    return (ReadField(doc, row) + 2) * 8;
}

void SetFplineStart(ConfigDocument& doc, const SettingEntry& row, uint32_t value) {
    const uint32_t raised = value < 16 ? 16 : value;
    WriteField(doc, row, raised / 8 - 2);
}

uint32_t GetHorzNonDisplay(const ConfigDocument& doc, const SettingEntry& row) {
    return (ReadField(doc, row) + 4) * 8;
}

void SetHorzNonDisplay(ConfigDocument& doc, const SettingEntry& row, uint32_t value) {
    WriteField(doc, row, value / 8 - 4);
}

uint32_t GetScreen1Start(const ConfigDocument& doc, const SettingEntry&) {
    return Get(doc, SettingId::Screen1StartBit16) * 65536 +
           Get(doc, SettingId::Screen1StartMsb) * 256 + Get(doc, SettingId::Screen1StartLsb);
}

void SetScreen1Start(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    Set(doc, SettingId::Screen1StartBit16, value / 65536);
    Set(doc, SettingId::Screen1StartMsb, (value / 256) & 255);
    Set(doc, SettingId::Screen1StartLsb, value & 255);
}

uint32_t GetScreen2Start(const ConfigDocument& doc, const SettingEntry&) {
    return Get(doc, SettingId::Screen2StartMsb) * 256 + Get(doc, SettingId::Screen2StartLsb);
}

void SetScreen2Start(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    Set(doc, SettingId::Screen2StartMsb, value / 256);
    Set(doc, SettingId::Screen2StartLsb, value & 255);
}

uint32_t GetScreen1VirtualSize(const ConfigDocument& doc, const SettingEntry&) {
    return Get(doc, SettingId::Screen1VirtualSizeMsb) * 256 +
           Get(doc, SettingId::Screen1VirtualSizeLsb) + 1;
}

void SetScreen1VirtualSize(ConfigDocument& doc, const SettingEntry&, uint32_t value) {
    Set(doc, SettingId::Screen1VirtualSizeMsb, (value - 1) / 256);
    Set(doc, SettingId::Screen1VirtualSizeLsb, (value - 1) & 255);
}

void SetPivotScanBit(ConfigDocument& doc, const SettingEntry& row, uint32_t value) {
    WriteField(doc, row, value);
    RecomputePivotScanAddressing(doc);
}

} // namespace derived

} // namespace zlc

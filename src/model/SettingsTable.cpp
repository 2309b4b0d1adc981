#include "model/SettingsTable.h"

#include "model/DerivedSettings.h"

#include <array>
#include <cstddef>

namespace zlc {

namespace {

using namespace SettingFlags;
using namespace derived;

template <uint32_t N> uint32_t Min(const SettingEntry&) {
    return N;
}

template <uint32_t N> uint32_t Max(const ConfigDocument&, const SettingEntry&) {
    return N;
}

// Value names listed for the values 0, 1, ...; other values have no name.
template <const auto& Names>
const char* NameList(const ConfigDocument&, const SettingEntry&, uint32_t value) {
    return value < std::size(Names) ? Names[value] : nullptr;
}

// Value names of a field that names every other value "<RESERVED>".
template <const auto& Names>
const char* NameListOrReserved(const ConfigDocument& doc, const SettingEntry& row, uint32_t value) {
    const char* name = NameList<Names>(doc, row, value);
    return name != nullptr && name[0] != '\0' ? name : "<RESERVED>";
}

constexpr const char* kClkiNames[] = {"6.000",  "10.000", "12.000", "15.000", "20.000", "25.000",
                                      "25.175", "30.000", "33.333", "40.000", "50.000"};
constexpr const char* kFormatNames[] = {"Format 1", "Format 2"};
constexpr const char* kTftStnNames[] = {"STN", "TFT/D-TFD"};
constexpr const char* kDualSingleNames[] = {"Single", "Dual"};
constexpr const char* kColorMonoNames[] = {"Mono", "Color"};
constexpr const char* kPolarityNames[] = {"Active Low", "Active High"};
constexpr const char* kEnableNames[] = {"Disabled", "Enabled"};
constexpr const char* kHighPerfNames[] = {"Makes MCLK=PCLK/(8/BPP)", "Makes MCLK=PCLK"};
constexpr const char* kHwInvertNames[] = {"FPDAT11 becomes GPIO4", "Invert using FPDAT11"};
constexpr const char* kHwPowerSaveNames[] = {"No Effect", "GPIO0 used as Power Save"};
// Values 1 and 2 are reserved: the empty entries fall back to "<RESERVED>".
constexpr const char* kSwPowerSaveNames[] = {"Power Save", "", "", "No Effect"};
constexpr const char* kHorzSizeNames[] = {"160", "320", "480", "640", "800"};
constexpr const char* kVertSizeNames[] = {"160", "200", "240", "480", "600"};

constexpr const char* kEnableFormula = "%s \n   where { 0=Disabled | 1=Enabled }";

// Rows are written field by field in declaration order:
// id, flags, reg, mask, get, min, max, set, valueName, formula, unit, shortName, longName, help.
constexpr SettingEntry kSettings[] = {
    {1, 0, 0, 0, GetChipNumberLength, nullptr, Max<6>, SetNothing, nullptr, nullptr, nullptr,
     "ZLC Ctlr", "ZLC Controller", "Identifies which ZLC62740 controller is to be configured."},
    {2, 0, 0, 0, GetClki, nullptr, nullptr, SetClki, NameList<kClkiNames>, nullptr, "MHz",
     "CLKI Timing", "CLKI Timing",
     "Selects the frequency of CLKI. The \"Auto\" setting selects the frequency automatically "
     "based on the panel timings."},
    {3, HEX, 0, 0, GetPhysRegAddr, nullptr, nullptr, SetPhysRegAddr, nullptr, nullptr, nullptr,
     "Phys Reg Addr", "Physical Register Address", nullptr},
    {4, HEX, 0, 0, GetPhysMemAddr, nullptr, nullptr, SetPhysMemAddr, nullptr, nullptr, nullptr,
     "Phys Buff Addr", "Physical Display Buffer Address",
     "Starting address of the display buffer."},
    {5, 0, 0, 0, GetFrameRate, nullptr, nullptr, SetFrameRate, nullptr, nullptr, "Hz", "Frame Rate",
     "Frame Rate", "This field indicates the effective frame rate of the LCD panel."},
    {6, 0, 0, 0, GetPowerOffTime, nullptr, nullptr, SetPowerOffTime, nullptr, nullptr, "ms",
     "LCD Pwr Off Time", "LCD Power Off Time",
     "Time delay between turning off the LCD power and turning off the LCD control signals."},
    {7, 0, 0, 0, GetPowerOnTime, nullptr, nullptr, SetPowerOnTime, nullptr, nullptr, "ms",
     "LCD Pwr On Time", "LCD Power On Time",
     "Time delay between turning on the LCD control signals and turning on the LCD power."},
    {8, 0, 0, 0, GetRequiredVram, nullptr, nullptr, SetNothing, nullptr, nullptr, nullptr,
     "Req VRAM", "Required VRAM", nullptr},
    {9, 0, 0, 0, GetPixelClock, nullptr, nullptr, SetNothing, nullptr, nullptr, "MHz",
     "Pixel Clock", "Pixel Clock", "Sets the desired pixel clock."},
    {10, 0, 0, 0, GetMemoryClock, nullptr, nullptr, SetNothing, nullptr, nullptr, "MHz",
     "Mem Clock", "Memory Clock", "Sets the desired memory clock."},
    {11, 0, 0, 0, GetTotalVideoMemory, nullptr, nullptr, SetNothing, nullptr, nullptr, nullptr,
     "Total Avail Vid Mem", "Total Available Video Memory",
     "This is the amount of video memory available for the selected part."},
    {12, ENUMERATED, 0, 0, GetPanelDataFormat, nullptr, nullptr, SetPanelDataFormat,
     NameList<kFormatNames>, nullptr, nullptr, "Panel Data Fmt", "Panel Data Format Select",
     "Selects color passive LCD panel format 2. See the Hardware Functional Specification for "
     "format 1 / format 2 descriptions."},
    {13, REGISTER | READONLY, 0x00, 0xFC, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, "Product Code", "Product Code", nullptr},
    {14, REGISTER | READONLY, 0x00, 0x03, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, "Rev Code", "Revision Code", nullptr},
    {15, REGISTER | ENUMERATED, 0x01, 0x80, nullptr, nullptr, nullptr, nullptr,
     NameList<kTftStnNames>, "%s \n   where { 0=STN | 1=TFT/D-TFD }", nullptr, "TFT/STN", "TFT/STN",
     "Selects the type of panel between passive LCD, active matrix TFT or D-TFD."},
    {16, REGISTER | ENUMERATED, 0x01, 0x40, nullptr, nullptr, nullptr, nullptr,
     NameList<kDualSingleNames>, "%s \n   where { 0=Single | 1=Dual }", nullptr, "Dual/Single",
     "Dual/Single", "Selects between a single and dual panel."},
    {17, REGISTER | ENUMERATED, 0x01, 0x20, nullptr, nullptr, nullptr, nullptr,
     NameList<kColorMonoNames>, "%s \n   where { 0=Mono | 1=Color }", nullptr, "Color/Mono",
     "Color/Mono", "Selects between a monochrome and color panel."},
    {18, REGISTER | ENUMERATED, 0x01, 0x10, nullptr, nullptr, nullptr, nullptr,
     NameList<kPolarityNames>, "%s \n   where { 0=Active Low | 1=Active High }", nullptr,
     "FPLINE Pol", "FPLINE Polarity",
     "Selects the polarity of FPLINE in TFT/D-TFD mode (no effect in passive panel mode)."},
    {19, REGISTER | ENUMERATED, 0x01, 0x08, nullptr, nullptr, nullptr, nullptr,
     NameList<kPolarityNames>, "%s \n   where { 0=Active Low | 1=Active High }", nullptr,
     "FPFRAME Pol", "FPFRAME Polarity",
     "Selects the polarity of FPFRAME in TFT/D-TFD mode (no effect in passive panel mode)."},
    {20, REGISTER | ENUMERATED, 0x01, 0x04, nullptr, nullptr, nullptr, nullptr,
     NameList<kEnableNames>, kEnableFormula, nullptr, "Mask FPSHIFT", "Mask FPSHIFT",
     "FPSHIFT is masked during non-display periods if either of the following two criteria is "
     "met:\n1. Color passive panel is selected (REG[01h] bit 5) = 1\n2. This bit (REG[01h] bit "
     "2) = 1"},
    {21, REGISTER, 0x01, 0x03, GetDataWidthBits, nullptr, nullptr, SetDataWidthBits, nullptr,
     nullptr, nullptr, "Data Width Bits", "Data Width Bits",
     "Selects the display data format. Refer to the Hardware Functional Specification for more "
     "details."},
    {22, REGISTER | ENUMERATED, 0x01, 0x03, GetDataWidthChoice, nullptr, nullptr,
     SetDataWidthChoice, DataWidthChoiceName, nullptr, nullptr, "Data Width Bits",
     "Data Width Bits",
     "Selects the display data format. Refer to the Hardware Functional Specification for more "
     "details."},
    {23, REGISTER, 0x02, 0xC0, GetBitsPerPixel, Min<1>, MaxBitsPerPixel, SetBitsPerPixel,
     BitsPerPixelName, nullptr, "BPP", "Bits-Per-Pixel", "Bits-Per-Pixel",
     "Selects the color depth in bits-per-pixel."},
    {24, REGISTER | ENUMERATED, 0x02, 0x20, nullptr, nullptr, nullptr, nullptr,
     NameListOrReserved<kHighPerfNames>,
     "%s \n   where { 0=Makes MCLK=PCLK/(8/BPP) | 1=Makes MCLK=PCLK }", nullptr, "High Perf",
     "High Performance", "Refer to the Hardware Functional Specification for details."},
    {25, REGISTER | ENUMERATED, 0x02, 0x10, nullptr, nullptr, nullptr, nullptr, nullptr,
     "%s \n   where { 0=Makes CLK=CLKI | 1=Makes CLK=CLKI/2 }", nullptr, "Input Clock Div",
     "Input Clock Divide", "Refer to the Hardware Functional Specification for details."},
    {26, REGISTER | ENUMERATED, 0x02, 0x08, nullptr, nullptr, nullptr, nullptr,
     NameList<kEnableNames>, kEnableFormula, nullptr, "Disp Blank", "Display Blank",
     "Blanks the display image (FPDAT lines to the panel are driven low)."},
    {27, REGISTER | ENUMERATED, 0x02, 0x04, nullptr, nullptr, nullptr, nullptr,
     NameList<kEnableNames>, kEnableFormula, nullptr, "Frame Repeat", "Frame Repeat (EL Support)",
     "Improves the Frame Rate Modulation of EL panels. When this bit is 1, an internal frame "
     "counter runs from 0 to 3FFFFh. When the frame counter rolls over, the modulated image "
     "pattern is repeated (every 1 hour when frame rate is 72Hz). When this bit is 0, the "
     "modulated image pattern is never repeated."},
    {28, REGISTER | ENUMERATED, 0x02, 0x02, nullptr, nullptr, nullptr, nullptr,
     NameListOrReserved<kHwInvertNames>,
     "%s \n   where { 0=FPDAT11 becomes GPIO4 | 1=Invert using FPDAT11 }", nullptr, "HW Invert",
     "Hardware Video Invert",
     "In passive panel modes (REG[01h] bit 7 = 0), FPDAT11 is available as either GPIO4 or "
     "hardware video invert. Note that the video data is inverted after the Look-Up Table."},
    {29, REGISTER | ENUMERATED, 0x02, 0x01, nullptr, nullptr, nullptr, nullptr,
     NameList<kEnableNames>, kEnableFormula, nullptr, "SW Invert", "Software Video Invert",
     "This setting has no effect if Hardware Video Invert (REG[02h] bit 1 = 1) is enabled. Note "
     "that the video data is inverted after the Look-Up Table."},
    {30, REGISTER | ENUMERATED, 0x03, 0x08, nullptr, nullptr, nullptr, nullptr,
     NameList<kEnableNames>, kEnableFormula, nullptr, "LCDPWR Override", "LCDPWR Override",
     "Selects whether or not to override the panel on/off sequencing logic."},
    {31, REGISTER | ENUMERATED, 0x03, 0x04, nullptr, nullptr, nullptr, nullptr,
     NameListOrReserved<kHwPowerSaveNames>,
     "%s \n   where { 0=No Effect | 1=GPIO0 used as Power Save }", nullptr, "HW Power Save",
     "Hardware Power Save", "Selects to use GPIO0 as the Hardware Power Save input pin."},
    {32, REGISTER | ENUMERATED, 0x03, 0x03, nullptr, nullptr, nullptr, nullptr,
     NameListOrReserved<kSwPowerSaveNames>,
     "%s \n   where { 0=Power Save | 1,2=RESERVED | 3=No Effect }", nullptr, "SW Power Save",
     "Software Power Save", "Selects the Power Save mode."},
    {33, REGISTER, 0x04, 0x7F, GetHorzPanelSize, Min<32>, Max<1024>, SetHorzPanelSize,
     NameList<kHorzSizeNames>, "( %s + 1 ) * 8", "pixels", "Horz Size", "Horizontal Panel Size",
     "Determines the horizontal resolution of the panel."},
    {34, 0, 0, 0, GetVertPanelSize, Min<1>, Max<1024>, SetVertPanelSize, NameList<kVertSizeNames>,
     "( REG[06h-b1:0]<<8 + REG[05h-b7:0] ) + 1", "lines", "Vert Size", "Vertical Panel Size",
     "Determines the vertical resolution of the panel."},
    {35, REGISTER, 0x05, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Vert Size (LSB)", "Vertical Panel Size (LSB)",
     "The Least Significant Bits of the Vertical Panel Size."},
    {36, REGISTER, 0x06, 0x03, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Vert Size (MSB)", "Vertical Panel Size (MSB)",
     "The Most Significant Bits of the Vertical Panel Size."},
    {37, REGISTER, 0x07, 0x1F, GetFplineStart, Min<16>, Max<264>, SetFplineStart, nullptr,
     "( %s + 2 ) * 8", "pixels", "FPLINE Start", "FPLINE Start Position",
     "Used in TFT/D-TFD mode to specify the position of the FPLINE pulse."},
    {38, REGISTER, 0x08, 0x1F, GetHorzNonDisplay, Min<32>, Max<280>, SetHorzNonDisplay, nullptr,
     "( %s + 4 ) * 8", "pixels", "Horz Non-Disp Period", "Horizontal Non-Display Period",
     "Specifies the horizontal non-display period."},
    {39, REGISTER, 0x09, 0x3F, nullptr, Min<1>, nullptr, nullptr, nullptr, nullptr, "lines",
     "FPFRAME Start", "FPFRAME Start Position",
     "Used in TFT/D-TFD mode to specify the position of the FPFRAME pulse."},
    {40, REGISTER | ENUMERATED, 0x0A, 0x80, nullptr, nullptr, nullptr, nullptr,
     NameList<kEnableNames>, kEnableFormula, nullptr, "Vert Non-Disp Status",
     "Vertical Non-Display Status", "This bit is on during the vertical non-display period."},
    {41, REGISTER, 0x0A, 0x3F, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "lines",
     "Vert Non-Disp Period", "Vertical Non-Display Period",
     "Specifies the vertical non-display period."},
    {42, REGISTER, 0x0B, 0x3F, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "MOD Rate", "MOD Rate",
     "When the value of this register is 0, the MOD output signal toggles every FPFRAME. For a "
     "non-zero value, the value in this register + 1 specifies the number of FPLINEs between "
     "toggles of the MOD output signal. These bits are for passive LCD panels only."},
    {43, 0, 0, 0, GetScreen1Start, nullptr, Max<0x1FFFF>, SetScreen1Start, nullptr, nullptr,
     nullptr, "Scrn 1 Start", "Screen 1 Start Address",
     "Determines the word address of the start of Screen 1 in Landscape modes or the byte address "
     "of the start of Screen 1 in PivotScan modes."},
    {44, REGISTER, 0x0C, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scrn 1 Start (LSB)", "Screen 1 Start Address (LSB)",
     "The Least Significant Bits of the Screen 1 Start Address."},
    {45, REGISTER, 0x0D, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scrn 1 Start (MSB)", "Screen 1 Start Address (MSB)",
     "The Most Significant Bits of the Screen 1 Start Address."},
    {46, 0, 0, 0, GetScreen2Start, nullptr, Max<65535>, SetScreen2Start, nullptr, nullptr, nullptr,
     "Scrn 2 Start", "Screen 2 Start Address",
     "Determines the word address of the start of Screen 2 in Landscape modes only and has no "
     "effect in PivotScan modes."},
    {47, REGISTER, 0x0E, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scrn 2 Start (LSB)", "Screen 2 Start Address (LSB)",
     "The Least Significant Bits of the Screen 2 Start Address."},
    {48, REGISTER, 0x0F, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scrn 2 Start (MSB)", "Screen 2 Start Address (MSB)",
     "The Most Significant Bits of the Screen 2 Start Address."},
    {49, REGISTER, 0x10, 0x01, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scrn 1 Start (Bit16)", "Screen 1 Start Address (MSB 16)",
     "The most significant bit of Screen 1 Start Address for PivotScan mode. This bit has no "
     "effect in Landscape mode."},
    {50, REGISTER, 0x11, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Mem Addr Offset", "Memory Address Offset",
     "Used to create a virtual image by setting a word offset between the last address of one "
     "line and the first address of the following line. If this setting is not equal to zero, "
     "then a virtual image is formed. There is no effect in PivotScan modes."},
    {51, 0, 0, 0, GetScreen1VirtualSize, Min<1>, Max<1024>, SetScreen1VirtualSize, nullptr, nullptr,
     "lines", "Scrn 1 Vert", "Screen 1 Virtual Size",
     "Used to implement the Split Screen feature. This setting determines the height of Screen "
     "1."},
    {52, REGISTER, 0x12, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scrn 1 Vert (LSB)", "Screen 1 Virtual Size (LSB)",
     "The Least Significant Bits of the Screen 1 Virtual Size."},
    {53, REGISTER, 0x13, 0x03, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scrn 1 Vert (MSB)", "Screen 1 Virtual Size (MSB)",
     "The Most Significant Bits of the Screen 1 Virtual Size."},
    {54, REGISTER, 0x15, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "LUT Addr", "Look-Up Table (LUT) Address", "Controls a pointer into the Look-Up Tables."},
    {55, REGISTER, 0x17, 0xF0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "LUT Data", "Look-Up Table (LUT) Data", "Used to read/write the RGB Look-Up Tables."},
    {56, REGISTER | HEX, 0x18, 0x1F, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "GPIO Config", "GPIO[4:0] Pin IO Configuration",
     "Determines the direction of the GPIO[4:0] pints."},
    {57, REGISTER | HEX, 0x19, 0x1F, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "GPIO Status", "GPIO[4:0] Status",
     "When the GPIOn pin is configured as input, the corresponding GPIO Status bit is used to "
     "read the pin input. When the GPIOn pin is configured as ouput, the corresponding GPIO "
     "Status bit is used to control the pin input."},
    {58, REGISTER, 0x1A, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Scratch Pad", "Scratch Pad",
     "Contains general use read/write bits. Any settings do not have an effect on the hardware."},
    {59, REGISTER | ENUMERATED, 0x1B, 0x80, nullptr, nullptr, nullptr, SetPivotScanBit,
     NameList<kEnableNames>, kEnableFormula, nullptr, "PivotScan Enable", "PivotScan Mode Enable",
     "Selects the PivotScan setting."},
    {60, REGISTER | ENUMERATED, 0x1B, 0x40, nullptr, nullptr, nullptr, SetPivotScanBit,
     NameList<kEnableNames>, kEnableFormula, nullptr, "PivotScan Select", "PivotScan Mode Select",
     "Selects the Alternate PivotScan setting. Refer to the Hardware Functional Specification "
     "for more details."},
    {61, REGISTER | RESERVED | ENUMERATED, 0x1B, 0x04, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr, "Portrait MCLK", "Portrait Mode Memory Clock",
     "This feature is reserved and should not be used. It selects the Memory Clock (MCLK) source "
     "in Portrait Mode. This setting has no effect in Landscape mode."},
    {62, REGISTER, 0x1B, 0x03, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "PivotScan PCLK", "PivotScan Mode Pixel Clock Select Bits",
     "Selects the Pixel Clock (PCLK) divide in PivotScan Mode. This setting has no effect in "
     "Landscape Mode. Refer to the Hardware Functional Specification for more details."},
    {63, REGISTER, 0x1C, 0xFF, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     "Line Byte Count", "Line Byte Count",
     "Represents the byte count from the beginning of one line to the beginning of the next "
     "consecutive line (commonly called 'stride' by programmers). This feature may be used to "
     "create a virtual image in PivotScan Mode."},
};

static_assert(std::size(kSettings) == kSettingCount);

constexpr bool IdsMatchRows() {
    for (size_t i = 0; i < std::size(kSettings); ++i) {
        if (kSettings[i].id != static_cast<int>(i) + 1) {
            return false;
        }
    }
    return true;
}
static_assert(IdsMatchRows(), "the row of identifier n must be row n - 1");

} // namespace

std::span<const SettingEntry> SettingsTable() {
    return kSettings;
}

} // namespace zlc

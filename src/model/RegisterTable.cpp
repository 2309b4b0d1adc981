#include "model/RegisterTable.h"

#include "base/Format.h"

namespace zlc {

namespace {

constexpr RegisterEntry kRegisters[] = {
    {0x00, "REG_REVISION_CODE", "Revision Code Register"},
    {0x01, "REG_MODE_REGISTER_0", "Mode Register 0 Register"},
    {0x02, "REG_MODE_REGISTER_1", "Mode Register 1 Register"},
    {0x03, "REG_MODE_REGISTER_2", "Mode Register 2 Register"},
    {0x04, "REG_HORZ_PANEL_SIZE", "Horizontal Panel Size Register"},
    {0x05, "REG_VERT_PANEL_SIZE_LSB", "Vertical Panel Size Register (LSB)"},
    {0x06, "REG_VERT_PANEL_SIZE_MSB", "Vertical Panel Size Register (MSB)"},
    {0x07, "REG_FPLINE_START_POS", "FPLINE Start Position Register"},
    {0x08, "REG_HORZ_NONDISP_PERIOD", "Horizontal Non-Display Period Register"},
    {0x09, "REG_FPFRAME_START_POS", "FPFRAME Start Position Register"},
    {0x0A, "REG_VERT_NONDISP_PERIOD", "Vertical Non-Display Period Register"},
    {0x0B, "REG_MOD_RATE", "MOD Rate Register"},
    {0x0C, "REG_SCRN1_START_ADDR_LSB", "Screen 1 Start Address Register (LSB)"},
    {0x0D, "REG_SCRN1_START_ADDR_MSB", "Screen 1 Start Address Register (MSB)"},
    {0x0E, "REG_SCRN2_START_ADDR_LSB", "Screen 2 Start Address Register (LSB)"},
    {0x0F, "REG_SCRN2_START_ADDR_MSB", "Screen 2 Start Address Register (MSB)"},
    {0x10, "REG_SCRN__START_ADDR", "Screen Start Address Overflow Register"},
    {0x11, "REG_MEM_ADDR_OFFSET", "Memory Address Offset Register"},
    {0x12, "REG_SCRN1_VERT_SIZE_LSB", "Screen 1 Vertical Size Register (LSB)"},
    {0x13, "REG_SCRN1_VERT_SIZE_MSB", "Screen 1 Vertical Size Register (MSB)"},
    {0x14, "REG_NOT_PRESENT_1", "Not Used"},
    {0x15, "REG_LUT_ADDR", "Look-Up Table Address Register"},
    {0x16, "REG_NOT_PRESENT_2", "Not Used"},
    {0x17, "REG_LUT_DATA", "Look-Up Table Data Register"},
    {0x18, "REG_GPIO_CONFIG", "GPIO Configuration Control Register"},
    {0x19, "REG_GPIO_STATUS", "GPIO Status/Control Register"},
    {0x1A, "REG_SCRATCHPAD", "Scratch Pad Register"},
    {0x1B, "REG_PORTRAIT_MODE", "PivotScan Mode Register"},
    {0x1C, "REG_LINE_BYTE_COUNT", "Line Byte Count Register"},
    {0x1D, "REG_NOT_PRESENT_3", "Not Used"},
    {0x1E, "REG_FRAMING", "Not Used"},
    {0x1F, "REG_TEST_MODE", "Not Used"},
};

static_assert(std::size(kRegisters) == kRegisterCount);

std::string BinaryDigits(uint8_t value) {
    std::string digits;
    for (int bit = 7; bit >= 0; --bit) {
        digits.push_back((value >> bit) & 1 ? '1' : '0');
    }
    return digits + "b";
}

} // namespace

std::span<const RegisterEntry> RegisterTable() {
    return kRegisters;
}

std::string RegisterName(int index) {
    for (const RegisterEntry& entry : kRegisters) {
        if (entry.index == index) {
            return entry.longName;
        }
    }
    return "<ERROR>";
}

std::array<std::string, 5> RegisterListRow(const ConfigDocument& doc, int index, const char* mark) {
    const uint8_t value = doc.GetRegister(index);
    return {Format("%02Xh%s", static_cast<unsigned>(index), mark), Format("%02Xh", value),
            BinaryDigits(value), Format("%10u", value), RegisterName(index)};
}

} // namespace zlc

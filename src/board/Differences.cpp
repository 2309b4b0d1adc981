#include "board/Differences.h"

#include "base/Format.h"
#include "board/BoardAccess.h"
#include "model/RegisterTable.h"
#include "model/SettingsTable.h"

namespace zlc::board {

std::vector<Difference> SettingDifferences(const ConfigDocument& a, const ConfigDocument& b) {
    std::vector<Difference> differences;
    for (const SettingEntry& row : SettingsTable()) {
        const std::string valueA = FormatSettingValue(a, row.id);
        const std::string valueB = FormatSettingValue(b, row.id);
        if (valueA != valueB || GetSetting(a, row.id) != GetSetting(b, row.id)) {
            differences.push_back({std::to_string(row.id), row.longName, valueA, valueB});
        }
    }
    return differences;
}

std::vector<Difference> RegisterDifferences(const ConfigDocument& a, const ConfigDocument& b) {
    std::vector<Difference> differences;
    for (const RegisterEntry& reg : RegisterTable()) {
        const uint8_t valueA = a.GetRegister(reg.index);
        const uint8_t valueB = b.GetRegister(reg.index);
        if (valueA != valueB) {
            differences.push_back({Format("REG[%02Xh]", static_cast<unsigned>(reg.index)), reg.name,
                                   Format("%02X", valueA), Format("%02X", valueB)});
        }
    }
    return differences;
}

ConfigDocument WithBoardRegisters(const ConfigDocument& base,
                                  const std::array<uint8_t, kRegisterCount>& regs) {
    ConfigDocument doc = base;
    for (int index = 0; index < static_cast<int>(kRegisterCount); ++index) {
        if (IsHeldByBoard(index)) {
            doc.SetRegister(index, regs[static_cast<size_t>(index)]);
        }
    }
    return doc;
}

std::string NotComparedWithBoard() {
    std::string registers;
    for (int index = 0; index < static_cast<int>(kRegisterCount); ++index) {
        if (!IsHeldByBoard(index)) {
            registers += Format(", REG[%02Xh]", static_cast<unsigned>(index));
        }
    }
    return "Not compared, as the board does not hold them from a configuration: the CLKI clock, "
           "the physical addresses, the frame rate, the LCD power delays" +
           registers + ".";
}

std::string DifferenceLines(const std::vector<Difference>& differences) {
    std::string text;
    for (const Difference& d : differences) {
        text += d.key + "\t" + d.name + "\t" + d.a + "\t" + d.b + "\n";
    }
    return text;
}

} // namespace zlc::board

#include "model/ConfigDocument.h"

namespace zlc {

uint8_t ConfigDocument::GetRegister(int index) const {
    if (index < 0 || index >= static_cast<int>(kRegisterCount)) {
        return 0;
    }
    return block.regs[index];
}

uint32_t ConfigDocument::SetRegister(int index, uint32_t value) {
    if (index >= 0 && index < static_cast<int>(kRegisterCount)) {
        block.regs[index] = static_cast<uint8_t>(value);
    }
    return value;
}

} // namespace zlc

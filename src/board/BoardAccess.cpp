#include "board/BoardAccess.h"

#include "hal/BoardSelect.h"
#include "hal/ChipWindow.h"
#include "hal/Hal.h"
#include "virt/HalMessages.h"

#include <cstdlib>

namespace zlc::board {

namespace {

hal::BoardChoice ChoiceOf(const BoardTarget& target) {
    if (target.simulatedFile.empty()) {
        return hal::ChooseBoard(std::getenv(hal::kBoardVariable));
    }
    hal::BoardChoice choice;
    choice.path = target.simulatedFile;
    return choice;
}

// The test program's message without its blank line and line end.
std::string InitializeMessage(int code) {
    std::string text = virt::HalInitializeMessage(code);
    const size_t first = text.find_first_not_of('\n');
    const size_t last = text.find_last_not_of('\n');
    return text.substr(first, last - first + 1);
}

// Maps and checks the board for `block`, which must outlive the connection.
// Returns the HAL's message, or an empty text once the HAL holds the chip.
std::string Connect(ConfigBlock& block, const BoardTarget& target) {
    hal::MapResult mapped = hal::MapChosenBoard(ChoiceOf(target), block.physMemAddr);
    int code = mapped.code;
    if (code == HAL_OK) {
        code = halInitializeWithWindow(&block, std::move(mapped.window));
    }
    return code == HAL_OK ? std::string() : InitializeMessage(code);
}

// The HAL lets go of the board (and unmaps it) and of the block.
void Disconnect() {
    halInitializeWithWindow(nullptr, nullptr);
}

} // namespace

std::string BoardTarget::Name() const {
    const hal::BoardChoice choice = ChoiceOf(*this);
    return choice.kind == hal::BoardChoice::Device ? "device " + choice.path : choice.path;
}

ApplyResult ApplyToBoard(const ConfigBlock& block, const BoardTarget& target) {
    ConfigBlock programmed = block;
    ApplyResult result;
    result.message = Connect(programmed, target);
    if (result.message.empty()) {
        result.message = preview::ProgramChip(programmed, preview::Pattern::Squares);
        result.report = preview::ReportChip(programmed);
        result.ok = result.message.empty();
    }
    Disconnect();
    return result;
}

BoardRegisters ReadBoardRegisters(const ConfigBlock& block, const BoardTarget& target) {
    ConfigBlock mapped = block;
    BoardRegisters result;
    result.message = Connect(mapped, target);
    if (result.message.empty()) {
        for (int index = 0; index < static_cast<int>(kRegisterCount); ++index) {
            // The look-up table's data port steps on every read.
            if (IsHeldByBoard(index)) {
                result.regs[static_cast<size_t>(index)] = halReadRegister(index);
            }
        }
        result.ok = true;
    }
    Disconnect();
    return result;
}

bool IsHeldByBoard(int index) {
    return preview::IsProgrammedFromBlock(index);
}

} // namespace zlc::board

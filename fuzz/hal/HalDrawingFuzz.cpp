// The HAL driven by arbitrary blocks and calls over a board whose display
// memory is an allocation of exactly the chip's size: any write past it is a
// finding.

#include "hal/ChipWindow.h"
#include "hal/Hal.h"
#include "hal/sim/SimulatedBoard.h"

#include <cstring>
#include <vector>

namespace {

class TightBoard : public zlc::sim::SimulatedBoard {
  public:
    TightBoard(std::span<uint8_t> image, std::vector<uint8_t>& memory)
        : SimulatedBoard(image), memory_(memory) {}
    uint8_t* Memory() override { return memory_.data(); }

  private:
    std::vector<uint8_t>& memory_;
};

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    int Byte() { return at < size ? data[at++] : 0; }
    int Word() { return Byte() | Byte() << 8; }
    int Signed() { return static_cast<int16_t>(Word()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> board(zlc::sim::kBoardFileSize);
    static std::vector<uint8_t> memory(HAL_MEMORY_SIZE);
    zlc::sim::FormatBoardImage(board);

    Reader in{data, size};
    HAL_STRUCT block = zlc::DefaultConfigBlock();
    for (uint8_t& reg : block.regs) {
        reg = static_cast<uint8_t>(in.Byte());
    }
    block.clkiKHz = static_cast<uint32_t>(in.Word()) * 16;
    block.frameRate = static_cast<uint16_t>(in.Byte());
    halInitializeWithWindow(&block, std::make_unique<TightBoard>(board, memory));
    halProgramRegisters();

    int lines = 0;
    while (in.at < size) {
        switch (in.Byte() % 9) {
        case 0:
            halWriteRegister(in.Byte() % 32, static_cast<uint8_t>(in.Byte()));
            break;
        case 1:
            halSetOrientation(in.Byte() % 3);
            break;
        case 2:
            halSetAlternatePortrait(in.Byte() % 2 ? 1 : -1);
            break;
        case 3:
            halSetVirtualWidth(in.Signed(), &lines);
            break;
        case 4:
            halSetStartAddress(in.Byte() % 4, in.Signed(), in.Signed());
            break;
        case 5: {
            const int x1 = in.Signed();
            const int y1 = in.Signed();
            const int x2 = in.Signed();
            const int y2 = in.Signed();
            halDrawLine(x1, y1, x2, y2, static_cast<unsigned>(in.Byte()));
            break;
        }
        case 6: {
            // Rectangles are kept short in height: each line is a call.
            const int x1 = in.Signed();
            const int y1 = in.Signed();
            const int x2 = in.Signed();
            const int y2 = y1 + in.Byte();
            halDrawRect(x1, y1, x2, y2, static_cast<unsigned>(in.Byte()), in.Byte() % 2 != 0);
            break;
        }
        case 7:
            halTuneFrameRate();
            break;
        default:
            halProgramRegisters();
            break;
        }
    }
    return 0;
}

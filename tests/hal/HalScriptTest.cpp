// Runs the HAL scripts of tests/data/hal: each step programs the board, calls
// the HAL or checks a register.

#include "HalFixture.h"
#include "cases/CaseFile.h"

#include <algorithm>

namespace zlc::test {
namespace {

int Number(std::istream& in) {
    std::string word;
    in >> word;
    return static_cast<int>(std::stol(word, nullptr, 0));
}

void ExpectResult(int result, std::istream& in) {
    std::string expected;
    in >> expected;
    if (expected == "not-INVALID") {
        EXPECT_NE(result, HAL_INVALID_PARAMETER);
    } else if (expected != "any") {
        EXPECT_EQ(result, expected == "OK"       ? HAL_OK
                          : expected == "FAILED" ? HAL_FAILED
                                                 : HAL_INVALID_PARAMETER);
    }
}

class HalScript : public HalTest, public ::testing::WithParamInterface<Case> {
  protected:
    void Step(const std::string& op, std::istream& in) {
        if (op == "block-panel") {
            const int width = Number(in);
            SetPanel(width, Number(in));
        } else if (op == "block-clki") {
            block.clkiKHz = static_cast<uint32_t>(Number(in));
        } else if (op == "block-rate") {
            block.frameRate = static_cast<uint16_t>(Number(in));
        } else if (op == "block-mono") {
            block.regs[REG_MODE_REGISTER_0] &= static_cast<uint8_t>(~0x20);
        } else if (op == "program") {
            Program();
        } else if (op == "depth") {
            SetDepth(Number(in));
        } else if (op == "write") {
            const int index = Number(in);
            halWriteRegister(index, static_cast<uint8_t>(Number(in)));
        } else if (op == "reg" || op == "read") {
            const int index = Number(in);
            EXPECT_EQ(op == "reg" ? Reg(index) : halReadRegister(index), Number(in));
        } else if (op == "lut") {
            const uint8_t* entry = Lut(Number(in));
            for (int component = 0; component < 3; ++component) {
                EXPECT_EQ(entry[component], Number(in));
            }
        } else if (op == "lut-port") {
            EXPECT_EQ(LutPortIndex(), Number(in));
        } else if (op == "clear") {
            std::fill(memory.begin(), memory.end(), 0);
        } else if (op == "poke") {
            const int offset = Number(in);
            memory.at(static_cast<size_t>(offset)) = static_cast<uint8_t>(Number(in));
        } else if (op == "line" || op == "rect" || op == "fill") {
            const int x1 = Number(in), y1 = Number(in), x2 = Number(in), y2 = Number(in);
            const auto colour = static_cast<unsigned>(Number(in));
            op == "line" ? halDrawLine(x1, y1, x2, y2, colour)
                         : halDrawRect(x1, y1, x2, y2, colour, op == "fill");
        } else if (op == "mem") {
            for (size_t offset = static_cast<size_t>(Number(in)); in >> std::ws, !in.eof();) {
                EXPECT_EQ(memory.at(offset++), Number(in)) << "byte " << offset - 1;
            }
        } else if (op == "nonzero") {
            EXPECT_EQ(memory.size() -
                          static_cast<size_t>(std::count(memory.begin(), memory.end(), 0)),
                      static_cast<size_t>(Number(in)));
        } else if (op == "portrait") {
            ExpectResult(halSetPortrait(), in);
        } else if (op == "alternate" || op == "orientation") {
            const int value = Number(in);
            ExpectResult(
                op == "alternate" ? halSetAlternatePortrait(value) : halSetOrientation(value), in);
        } else if (op == "width") {
            int lines = -1;
            ExpectResult(halSetVirtualWidth(Number(in), &lines), in);
            EXPECT_EQ(lines, Number(in));
        } else if (op == "start") {
            const int screen = Number(in), x = Number(in);
            ExpectResult(halSetStartAddress(screen, x, Number(in)), in);
        } else {
            ADD_FAILURE() << "unknown step " << op;
        }
    }
};

TEST_P(HalScript, EachStepHolds) {
    std::istringstream steps(GetParam()["steps"]);
    for (std::string line; std::getline(steps, line);) {
        SCOPED_TRACE(line);
        std::istringstream in(line);
        if (std::string op; in >> op && op[0] != '#') {
            Step(op, in);
        }
    }
}

ZLC_CASES(HalScript, "hal/screens.txt");

} // namespace
} // namespace zlc::test

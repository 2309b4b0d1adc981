#include "hal/Hal.h"

#include "hal/ChipWindow.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

using zlc::hal::ChipWindow;

// One HAL per process, as there is one chip per board.
struct HalState {
    HAL_STRUCT* info = nullptr;
    std::unique_ptr<ChipWindow> window;
    int lines = 0; // lines of the current virtual screen; 0 until it is set
};

HalState& State() {
    static HalState state;
    return state;
}

// The version follows the marker text, so the marker is in the library's data
// wherever the version is.
__attribute__((used)) constexpr char kVersionText[] = " 62740 HAL Version 1.05";
constexpr size_t kVersionAt = sizeof " 62740 HAL Version " - 1;

constexpr int kRegisterCount = 32;
constexpr long kMemorySize = HAL_MEMORY_SIZE;

// Frame-rate tuning limits of the non-display periods.
constexpr int kMinHorzNonDisplay = 32;
constexpr int kMaxHorzNonDisplay = 280;
constexpr int kMaxVertNonDisplay = 63;
constexpr int kGoodVertNonDisplay = 30;

constexpr uint8_t kInputClockDivide = 0x10;    // REG[02h] bit 4
constexpr uint8_t kColorPanel = 0x20;          // REG[01h] bit 5
constexpr uint8_t kDualPanel = 0x40;           // REG[01h] bit 6
constexpr uint8_t kPivotScanEnable = 0x80;     // REG[1Bh] bit 7
constexpr uint8_t kPivotScanAlternate = 0x40;  // REG[1Bh] bit 6
constexpr uint8_t kPortraitMemoryClock = 0x04; // REG[1Bh] bit 2
constexpr uint8_t kScreen1Bit16 = 0x01;        // REG[10h] bit 0

uint8_t Reg(int index) {
    ChipWindow* window = State().window.get();
    return window != nullptr ? window->ReadRegister(static_cast<unsigned>(index)) : 0;
}

void SetReg(int index, int value) {
    if (ChipWindow* window = State().window.get()) {
        window->WriteRegister(static_cast<unsigned>(index), static_cast<uint8_t>(value));
    }
}

int BitsPerPixel() {
    return 1 << (Reg(REG_MODE_REGISTER_1) >> 6);
}

int PanelWidth() {
    return (Reg(REG_HORZ_PANEL_SIZE) + 1) * 8;
}

int PanelHeight() {
    return Reg(REG_VERT_PANEL_SIZE_MSB) * 256 + Reg(REG_VERT_PANEL_SIZE_LSB) + 1;
}

bool PivotScan() {
    return (Reg(REG_PORTRAIT_MODE) & kPivotScanEnable) != 0;
}

long Stride() {
    if (PivotScan()) {
        const int count = Reg(REG_LINE_BYTE_COUNT);
        return count == 0 ? 256 : count;
    }
    return static_cast<long>(Reg(REG_HORZ_PANEL_SIZE) + 1) * BitsPerPixel() +
           2L * Reg(REG_MEM_ADDR_OFFSET);
}

void DisplaySize(int& width, int& height) {
    width = PanelWidth();
    height = PanelHeight();
    if (PivotScan()) {
        std::swap(width, height);
    }
}

// Merges `pixels` (already placed in their bit positions) under `mask` into
// one byte of display memory; bytes outside it are not touched.
void MergeByte(long address, uint8_t mask, uint8_t pixels) {
    if (address < 0 || address >= kMemorySize) {
        return;
    }
    uint8_t& byte = State().window->Memory()[address];
    byte = static_cast<uint8_t>((byte & ~mask) | (pixels & mask));
}

uint8_t Replicate(unsigned color, int bpp) {
    const unsigned pixel = color & ((1u << bpp) - 1);
    unsigned byte = 0;
    for (int shift = 0; shift < 8; shift += bpp) {
        byte |= pixel << shift;
    }
    return static_cast<uint8_t>(byte);
}

// The mask of `count` pixels from pixel `first` of a byte, leftmost pixel in
// the highest bits.
uint8_t PixelMask(int first, int count, int bpp) {
    const unsigned bits = static_cast<unsigned>(count * bpp);
    const unsigned ones = (1u << bits) - 1;
    return static_cast<uint8_t>(ones << (8 - first * bpp - static_cast<int>(bits)));
}

void DrawHorizontal(long x1, long x2, long y, unsigned color) {
    const int bpp = BitsPerPixel();
    const long perByte = 8 / bpp;
    const long stride = Stride();
    const uint8_t filled = Replicate(color, bpp);
    x1 = std::max(x1, 0L);
    if (y < 0) {
        return;
    }
    const long row = stride * y;
    long x = x1;
    while (x < x2) {
        const long address = row + x / perByte;
        if (address >= kMemorySize) {
            return;
        }
        const int first = static_cast<int>(x % perByte);
        if (first == 0 && x2 - x >= perByte) {
            const long end = std::min(row + x2 / perByte, kMemorySize);
            std::memset(State().window->Memory() + address, filled,
                        static_cast<size_t>(end - address));
            x = (end - row) * perByte;
            continue;
        }
        const int count = static_cast<int>(std::min(perByte - first, x2 - x));
        MergeByte(address, PixelMask(first, count, bpp), filled);
        x += count;
    }
}

void DrawVertical(long x, long y1, long y2, unsigned color) {
    if (x < 0) {
        return;
    }
    const int bpp = BitsPerPixel();
    const long perByte = 8 / bpp;
    const long stride = Stride();
    const uint8_t mask = PixelMask(static_cast<int>(x % perByte), 1, bpp);
    const uint8_t filled = Replicate(color, bpp);
    for (long y = std::max(y1, 0L); y < y2; ++y) {
        const long address = stride * y + x / perByte;
        if (address >= kMemorySize) {
            return;
        }
        MergeByte(address, mask, filled);
    }
}

int SmallestPowerOfTwoNotBelow(int value) {
    int power = 1;
    while (power < value) {
        power <<= 1;
    }
    return power;
}

// The pixel clock of the tuning: the input clock, divided in PivotScan as
// REG[1Bh] says and halved by the input clock divide.
long long PixelClockHz(uint32_t clkiKHz) {
    long long clock = clkiKHz * 1000LL;
    const uint8_t portrait = Reg(REG_PORTRAIT_MODE);
    if ((portrait & kPivotScanEnable) != 0) {
        clock >>= portrait & 0x03;
        if ((portrait & 0x43) == 0x40) {
            clock /= 2;
        }
    }
    if ((Reg(REG_MODE_REGISTER_1) & kInputClockDivide) != 0) {
        clock /= 2;
    }
    return clock;
}

void LoadLutForCurrentDepth() {
    int entries = 0;
    const uint8_t* table =
        halGetLut(BitsPerPixel(), (Reg(REG_MODE_REGISTER_0) & kColorPanel) != 0, &entries);
    halLoadLut(table, entries);
}

} // namespace

int halInitializeWithWindow(HAL_STRUCT* info, std::unique_ptr<ChipWindow> window) {
    HalState& state = State();
    // The mapping is remembered apart from the block: a linear address of this
    // process need not fit the block's 32-bit field, and the block stays as the
    // program carries it.
    state.info = info;
    state.window = std::move(window);
    state.lines = 0;
    return (Reg(REG_REVISION_CODE) & 0xFC) == 0x24 ? HAL_OK : HAL_DEVICE_NOT_FOUND;
}

int halInitialize(HAL_STRUCT* info) {
    if (info == nullptr) {
        return HAL_FAILED;
    }
    zlc::hal::MapResult mapped = zlc::hal::MapChip(info->physMemAddr);
    if (mapped.code != HAL_OK) {
        State() = HalState{};
        return mapped.code;
    }
    return halInitializeWithWindow(info, std::move(mapped.window));
}

int halProgramRegisters() {
    HalState& state = State();
    if (state.window == nullptr || state.info == nullptr) {
        return HAL_FAILED;
    }
    for (int index = 1; index < kRegisterCount; ++index) {
        // The scratch pad and the reserved registers keep what they hold.
        if (index == 0x14 || index == 0x1A || index == 0x1E || index == 0x1F) {
            continue;
        }
        SetReg(index, state.info->regs[index]);
    }
    int width = 0;
    int height = 0;
    DisplaySize(width, height);
    // A panel may want more than the chip holds (640 x 480 at 8 bpp is 300 KB);
    // clearing stops at the end of display memory, where the registers begin.
    const long bytes = static_cast<long>(width) * height / (8 / BitsPerPixel());
    std::memset(state.window->Memory(), 0, static_cast<size_t>(std::min(bytes, kMemorySize)));
    LoadLutForCurrentDepth();
    return HAL_OK;
}

uint8_t halReadRegister(int index) {
    return index >= 0 && index < kRegisterCount ? Reg(index) : 0;
}

void halWriteRegister(int index, uint8_t value) {
    if (index >= 0 && index < kRegisterCount) {
        SetReg(index, value);
    }
}

void halGetVersion(const char** version, const char** subVersion, const char** status) {
    if (version != nullptr) {
        *version = kVersionText + kVersionAt;
    }
    if (subVersion != nullptr) {
        *subVersion = "";
    }
    if (status != nullptr) {
        *status = "";
    }
}

void halLoadLut(const uint8_t* table, int entries) {
    if (table == nullptr) {
        return;
    }
    SetReg(REG_LUT_ADDR, 0);
    for (int i = 0; i < entries * 3; ++i) {
        SetReg(REG_LUT_DATA, table[i]);
    }
}

int halSetOrientation(int mode) {
    if (mode == 1) {
        return halSetPortrait();
    }
    if (mode != 0) {
        return HAL_FAILED;
    }
    for (const int index : {REG_SCRN1_START_ADDR_LSB, REG_SCRN1_START_ADDR_MSB,
                            REG_SCRN_START_ADDR_OVERFLOW, REG_PORTRAIT_MODE, REG_LINE_BYTE_COUNT}) {
        SetReg(index, 0);
    }
    return halTuneFrameRate();
}

int halSetPortrait() {
    HalState& state = State();
    if (state.window == nullptr || state.info == nullptr) {
        return HAL_FAILED;
    }
    const uint8_t old = Reg(REG_PORTRAIT_MODE);
    const int bpp = BitsPerPixel();
    const int lineBytes = PanelHeight() * bpp / 8;
    const int count =
        (old & kPivotScanAlternate) != 0 ? lineBytes : SmallestPowerOfTwoNotBelow(lineBytes);
    // REG[1Ch] holds 1 to 256 bytes (256 as 0); a longer line cannot be shown
    // in PivotScan, and its low byte alone would be a different stride.
    if (count > 256 || lineBytes < 1) {
        return HAL_INVALID_PARAMETER;
    }
    // The start address points at the last byte of the first line.
    SetReg(REG_SCRN1_START_ADDR_LSB, (lineBytes - 1) & 0xFF);
    SetReg(REG_SCRN1_START_ADDR_MSB, ((lineBytes - 1) >> 8) & 0xFF);
    SetReg(REG_SCRN_START_ADDR_OVERFLOW, 0);
    SetReg(REG_LINE_BYTE_COUNT, count & 0xFF);
    SetReg(REG_PORTRAIT_MODE, old | kPivotScanEnable);
    const int result = halTuneFrameRate();

    uint32_t clock = state.info->clkiKHz;
    if ((Reg(REG_MODE_REGISTER_1) & kInputClockDivide) != 0) {
        clock /= 2;
    }
    uint8_t value = static_cast<uint8_t>(old | kPivotScanEnable);
    if (clock > 25000) {
        value |= kPortraitMemoryClock;
    }
    SetReg(REG_PORTRAIT_MODE, value);
    return result;
}

int halSetAlternatePortrait(int select) {
    const uint8_t old = Reg(REG_PORTRAIT_MODE);
    const uint8_t value = select == -1 ? static_cast<uint8_t>(old & ~kPivotScanAlternate)
                                       : static_cast<uint8_t>(old | kPivotScanAlternate);
    if (value == old) {
        return HAL_OK;
    }
    SetReg(REG_PORTRAIT_MODE, value);
    return (value & kPivotScanEnable) != 0 ? halSetPortrait() : HAL_OK;
}

int halTuneFrameRate() {
    HalState& state = State();
    if (state.window == nullptr || state.info == nullptr || state.info->frameRate == 0) {
        return HAL_FAILED;
    }
    const uint8_t* regs = state.info->regs;
    long long rate = state.info->frameRate;
    const long long width = (regs[REG_HORZ_PANEL_SIZE] + 1) * 8LL;
    long long height = regs[REG_VERT_PANEL_SIZE_MSB] * 256LL + regs[REG_VERT_PANEL_SIZE_LSB] + 1;

    const uint8_t saved = Reg(REG_MODE_REGISTER_1);
    SetReg(REG_MODE_REGISTER_1, saved & ~kInputClockDivide);

    const long long clock = PixelClockHz(state.info->clkiKHz);
    if ((regs[REG_MODE_REGISTER_0] & kDualPanel) != 0) {
        rate *= 2;
        height /= 2;
    }

    // No choice yet: the first period pair in range is taken, and later ones
    // only when both periods are shorter or the vertical one is short enough.
    bool chosen = false;
    long long bestV = 0;
    long long bestH = 0;
    bool fromHalvedClock = false;
    for (int pass = 0; pass < 2; ++pass) {
        const long long passClock = pass == 0 ? clock : clock / 2;
        for (int h = kMaxHorzNonDisplay; h >= kMinHorzNonDisplay; h -= 8) {
            const long long v = passClock / ((width + h) * rate) - height;
            if (v < 0 || v > kMaxVertNonDisplay) {
                continue;
            }
            if (v < kGoodVertNonDisplay || !chosen || (v < bestV && h < bestH)) {
                chosen = true;
                bestV = v;
                bestH = h;
                fromHalvedClock = pass == 1;
            }
        }
    }
    if (!chosen) {
        SetReg(REG_MODE_REGISTER_1, saved);
        return HAL_FAILED;
    }
    SetReg(REG_HORZ_NONDISP_PERIOD, static_cast<int>(bestH / 8 - 4));
    SetReg(REG_VERT_NONDISP_PERIOD, static_cast<int>(bestV));
    if (fromHalvedClock) {
        // The periods were fitted to half the input clock: have the chip
        // divide it, or the panel runs at twice the rate.
        SetReg(REG_MODE_REGISTER_1, (saved & ~kInputClockDivide) | kInputClockDivide);
    }
    return HAL_OK;
}

int halSetVirtualWidth(int width, int* lines) {
    HalState& state = State();
    if (state.window == nullptr) {
        return HAL_INVALID_PARAMETER;
    }
    const int bpp = BitsPerPixel();
    long available = 0;
    if (!PivotScan()) {
        const int panelWidth = PanelWidth();
        const int pixelsPerWord = 16 / bpp;
        if (width < panelWidth || width > panelWidth + 255 * pixelsPerWord) {
            return HAL_INVALID_PARAMETER;
        }
        const long extraBytes = (width - panelWidth) / (8 / bpp);
        // The panel's own line, without the offset a previous call left in
        // REG[11h]: the offset is what this call decides.
        const long lineBytes = static_cast<long>(Reg(REG_HORZ_PANEL_SIZE) + 1) * bpp;
        available = kMemorySize / (lineBytes + extraBytes);
        if (available < PanelHeight()) {
            return HAL_INVALID_PARAMETER;
        }
        SetReg(REG_MEM_ADDR_OFFSET, (width - panelWidth) / pixelsPerWord);
    } else {
        int shownWidth = 0;
        int shownHeight = 0;
        DisplaySize(shownWidth, shownHeight);
        if (width < shownWidth || width > 2048 / bpp) {
            return HAL_INVALID_PARAMETER;
        }
        const long lineBytes = static_cast<long>(width) * bpp / 8;
        if (lineBytes < 1 || lineBytes > 256) {
            return HAL_INVALID_PARAMETER;
        }
        available = kMemorySize / lineBytes;
        if (available < shownHeight) {
            return HAL_INVALID_PARAMETER;
        }
        SetReg(REG_LINE_BYTE_COUNT, static_cast<int>(lineBytes & 0xFF));
    }
    state.lines = static_cast<int>(available);
    if (lines != nullptr) {
        *lines = state.lines;
    }
    return HAL_OK;
}

int halSetStartAddress(int screen, int x, int y) {
    HalState& state = State();
    if ((screen != 1 && screen != 2) || x < 0 || y < 0 || y > state.lines) {
        return HAL_INVALID_PARAMETER;
    }
    const int bpp = BitsPerPixel();
    const long stride = Stride();
    long address = 0;
    long limit = 0xFFFF;
    const bool pivot = PivotScan();
    if (!pivot) {
        address = x / (16 / bpp) + stride * y / 2; // in 16-bit words
    } else {
        int shownWidth = 0;
        int shownHeight = 0;
        DisplaySize(shownWidth, shownHeight);
        address = stride * y + (static_cast<long>(shownWidth) * bpp / 8 - 1) + x / (8 / bpp);
        if (screen == 1) {
            limit = 0x1FFFF; // screen 1 has a 17th address bit in PivotScan
        }
    }
    if (address < 0 || address > limit) {
        return HAL_INVALID_PARAMETER;
    }
    const int low = screen == 1 ? REG_SCRN1_START_ADDR_LSB : REG_SCRN2_START_ADDR_LSB;
    const int high = screen == 1 ? REG_SCRN1_START_ADDR_MSB : REG_SCRN2_START_ADDR_MSB;
    SetReg(low, address & 0xFF);
    SetReg(high, (address >> 8) & 0xFF);
    if (pivot && screen == 1) {
        const uint8_t overflow = Reg(REG_SCRN_START_ADDR_OVERFLOW);
        SetReg(REG_SCRN_START_ADDR_OVERFLOW,
               (overflow & ~kScreen1Bit16) | ((address >> 16) & kScreen1Bit16));
    }
    return HAL_OK;
}

void halDrawLine(int x1, int y1, int x2, int y2, unsigned color) {
    if (State().window == nullptr) {
        return;
    }
    if (y1 == y2) {
        DrawHorizontal(x1, x2, y1, color);
    } else if (x1 == x2) {
        DrawVertical(x1, y1, y2, color);
    }
}

void halDrawRect(int x1, int y1, int x2, int y2, unsigned color, bool filled) {
    if (filled) {
        for (int y = y1; y < y2; ++y) {
            halDrawLine(x1, y, x2, y, color);
        }
        return;
    }
    halDrawLine(x1, y1, x2, y1, color);
    halDrawLine(x1, y2 - 1, x2, y2 - 1, color);
    halDrawLine(x1, y1, x1, y2, color);
    halDrawLine(x2 - 1, y1, x2 - 1, y2, color);
}

int halGetBitsPerPixel() {
    return BitsPerPixel();
}

void halGetDisplaySize(int* width, int* height) {
    int w = 0;
    int h = 0;
    if (State().window != nullptr) {
        DisplaySize(w, h);
    }
    if (width != nullptr) {
        *width = w;
    }
    if (height != nullptr) {
        *height = h;
    }
}

void halClearMemory() {
    if (ChipWindow* window = State().window.get()) {
        std::memset(window->Memory(), 0, static_cast<size_t>(kMemorySize));
    }
}

unsigned halGetFrameRate() {
    const HalState& state = State();
    if (state.window == nullptr || state.info == nullptr) {
        return 0;
    }
    // The inverse of the tuning: a dual panel scans both halves at once and
    // shows a frame every second scan of half the lines.
    const long long horzTotal = PanelWidth() + ((Reg(REG_HORZ_NONDISP_PERIOD) & 0x1F) + 4) * 8LL;
    long long vertTotal = PanelHeight();
    long long scansPerFrame = 1;
    if ((Reg(REG_MODE_REGISTER_0) & kDualPanel) != 0) {
        vertTotal /= 2;
        scansPerFrame = 2;
    }
    vertTotal += Reg(REG_VERT_NONDISP_PERIOD) & 0x3F;
    if (vertTotal == 0) {
        return 0;
    }
    return static_cast<unsigned>(PixelClockHz(state.info->clkiKHz) / (horzTotal * vertTotal) /
                                 scansPerFrame);
}

// 62740VIRT: programs the chip from the block this very file carries, draws a
// test pattern into a virtual screen larger than the panel and pans the
// panel's view across it, at each colour depth in turn.

#include "base/Notice.h"
#include "hal/Hal.h"
#include "virt/HalMessages.h"
#include "virt/Keys.h"
#include "virt/Panner.h"
#include "virt/TestPattern.h"
#include "virt/VirtOptions.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

// The configuration block the configuration utility finds and rewrites in this
// program's file. It is a constant initializer, so its bytes are in the file
// exactly as the utility expects them; the program reads it only through the
// HAL.
HAL_STRUCT HalInfo = {
    "6274 HAL EXE",
    0x1234,
    68,
    {
        0x24, 0xA1, 0xE0, 0x07, 0x27, 0xEF, 0x00, 0x05, // REG[00h]..REG[07h]
        0x0C, 0x04, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, // REG[08h]..REG[0Fh]
        0x00, 0x00, 0xFF, 0x03, 0x00, 0x00, 0x00, 0x00, // REG[10h]..REG[17h]
        0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // REG[18h]..REG[1Fh]
    },
    6000,       // clkiKHz
    0x00F00000, // physMemAddr
    0x00000046, // physRegAddr
    0,          // frameRate
    {0, 0},
};

namespace {

using namespace zlc::virt;

constexpr const char* kVersion = "1.01";
constexpr int kDepths[] = {1, 2, 4, 8};
constexpr int kDepthCount = 4;
// Automatic mode moves one step per tick.
constexpr int kTickMs = 10;

constexpr int kExitOk = 0;
constexpr int kExitNoHal = 1;
constexpr int kExitNoProgram = 2;
constexpr int kExitNoDepth = 3;

constexpr const char* kUsage[] = {
    "\n",
    "\nUsage:  62740VIRT [/A] [/L] [/P] [/ALT] [/W=xxx] [/?]",
    "\n",
    "\nWhere:  /A     - Automatic scrolling mode",
    "\n        /L     - Set Landscape mode",
    "\n        /P     - Set Portrait  mode",
    "\n        /ALT   - Use alternate portrait mode",
    "\n        /W=xxx - Specify the virtual width (in pixels).",
    "\n        /?     - Display this help message",
    "\n",
    "\nIn manual mode:    Arrow keys move the display about the virtual screen",
    "\n                   CTRL plus the arrow keys moves faster.",
    "\n                   HOME returns to the upper left corner.",
    "\n                   END  moves to the lower right corner.",
    "\n",
    "\nIn automatic mode: Pressing any key will change direction",
    "\n",
    "\nIn any mode:       ESC quits the program",
    "\n                   'B' changes the color depth (bits per pixel)",
    "\n",
};

void PrintBanner() {
    const char* version = nullptr;
    const char* subVersion = nullptr;
    const char* status = nullptr;
    halGetVersion(&version, &subVersion, &status);
    std::printf("\n62740VIRT.EXE - Virtual Screen Test Utility - Version %s  [HAL %s%s%s]",
                kVersion, version, subVersion, status);
    std::printf("\n%s", zlc::notice::kCopyrightLine1);
    std::printf("\n%s", zlc::notice::kCopyrightLine2);
    std::printf("\n");
}

void PrintUsage() {
    for (const char* line : kUsage) {
        std::fputs(line, stdout);
    }
}

bool PivotScanOn() {
    return (halReadRegister(REG_PORTRAIT_MODE) & 0x80) != 0;
}

// Sets up the chip for a colour depth; hands back what re-applying the
// orientation answered.
int SetColorDepth(int depth) {
    int log2 = 0;
    while ((1 << log2) < depth) {
        ++log2;
    }
    const uint8_t mode =
        static_cast<uint8_t>((halReadRegister(REG_MODE_REGISTER_1) & 0x3F) | (log2 << 6));
    halWriteRegister(REG_MODE_REGISTER_1, mode);
    const int result = halSetOrientation(PivotScanOn() ? 1 : 0);
    halWriteRegister(REG_SCRN2_START_ADDR_LSB, 0);
    halWriteRegister(REG_SCRN2_START_ADDR_MSB, 0);
    halWriteRegister(REG_SCRN_START_ADDR_OVERFLOW, 0);
    halWriteRegister(REG_MEM_ADDR_OFFSET, 0);
    halWriteRegister(REG_SCRN1_VERT_SIZE_LSB, 0xFF);
    halWriteRegister(REG_SCRN1_VERT_SIZE_MSB, 0x03);
    halClearMemory();
    int entries = 0;
    const uint8_t* table =
        halGetLut(depth, (halReadRegister(REG_MODE_REGISTER_0) & 0x20) != 0, &entries);
    halLoadLut(table, entries);
    // The depth again, with the input clock divide the frame-rate tuning chose:
    // the periods it wrote hold only with that divide.
    const uint8_t tuned = halReadRegister(REG_MODE_REGISTER_1);
    halWriteRegister(REG_MODE_REGISTER_1, static_cast<uint8_t>((mode & ~0x10) | (tuned & 0x10)));
    return result;
}

enum class DepthResult { Quit, Next, Unusable };

struct Session {
    VirtOptions options;
    int virtualWidth = 0;
    KeyReader* keys = nullptr;
};

DepthResult PanLoop(const Session& session, int maxX, int maxY, int xStep) {
    Panner panner(maxX, maxY, xStep, session.options.automatic);
    for (;;) {
        PanAction action = PanAction::Continue;
        const int key = session.keys->Read(session.options.automatic ? kTickMs : -1);
        if (key == kKeyEndOfInput) {
            // Nobody is left to press Esc.
            action = PanAction::Quit;
        } else if (key != kKeyNone) {
            action = panner.Key(key);
        }
        if (action == PanAction::Continue && session.options.automatic) {
            action = panner.Tick();
        }
        if (action == PanAction::Quit) {
            return DepthResult::Quit;
        }
        if (action == PanAction::NextDepth) {
            return DepthResult::Next;
        }
        std::printf("\nX=%3d, Y=%3d", panner.x(), panner.y());
        std::fflush(stdout);
        halSetStartAddress(1, panner.x(), panner.y());
    }
}

DepthResult RunDepth(const Session& session, int depth) {
    const int oriented = SetColorDepth(depth);
    int result = oriented;
    if (session.options.orientation != kNoOrientation) {
        if (session.options.alternate && session.options.orientation == 1) {
            // Landscape at the depth change cleared the mode select bit; the
            // alternate mode is asked for again before PivotScan.
            halSetAlternatePortrait(1);
        }
        result = halSetOrientation(session.options.orientation);
    }
    // Other failures (no frame rate asked for) leave the picture usable; a
    // refused orientation does not.
    if (result == HAL_INVALID_PARAMETER) {
        return DepthResult::Unusable;
    }

    int shownWidth = 0;
    int shownHeight = 0;
    halGetDisplaySize(&shownWidth, &shownHeight);
    // A default width from a panel a few lines high may not fill one byte.
    const int lineBytes = session.virtualWidth / (8 / depth);
    if (lineBytes == 0) {
        return DepthResult::Unusable;
    }
    int virtualHeight = 81920 / lineBytes / 16 * 16;
    if (virtualHeight < shownHeight) {
        return DepthResult::Unusable;
    }
    int lines = 0;
    if (halSetVirtualWidth(session.virtualWidth & 0xFFFF, &lines) != HAL_OK) {
        // The chip's stride is not the virtual width: drawing the pattern
        // would run past display memory.
        return DepthResult::Unusable;
    }
    virtualHeight = lines / 16 * 16;
    if (virtualHeight < shownHeight) {
        return DepthResult::Unusable;
    }
    halSetStartAddress(1, 0, 0);

    const int xStep = PivotScanOn() ? 8 / depth : 16 / depth;
    std::printf("\n%d BPP - %2d pixel X step", depth, xStep);
    std::printf("\nVirtual dimension: %d x %d", session.virtualWidth, virtualHeight);
    std::fflush(stdout);
    DrawTestPattern(session.virtualWidth, virtualHeight, depth);

    int maxX = session.virtualWidth / 16 * 16 - shownWidth;
    if (maxX < 0) {
        maxX = 0;
    }
    return PanLoop(session, maxX, virtualHeight - shownHeight, xStep);
}

} // namespace

int main(int argc, char** argv) {
    PrintBanner();
    if (const int code = halInitialize(&HalInfo); code != HAL_OK) {
        std::fputs(HalInitializeMessage(code), stdout);
        return kExitNoHal;
    }
    if (halProgramRegisters() != HAL_OK) {
        return kExitNoProgram;
    }

    Session session;
    session.options = ParseVirtOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (session.options.alternate) {
        halSetAlternatePortrait(1);
    }
    if (session.options.outcome == VirtOptions::BadWidth) {
        std::printf("\nERROR: The virtual width \"%s\" is not a number from %d to %d.\n",
                    session.options.badWidth.c_str(), kMinVirtualWidth, kMaxVirtualWidth);
    }
    if (session.options.outcome != VirtOptions::Run) {
        PrintUsage();
        return kExitOk;
    }

    int width = 0;
    int height = 0;
    halGetDisplaySize(&width, &height);
    const bool portrait = session.options.orientation == 1;
    std::printf("\n        Physical dimension: ");
    std::printf("%d x %d", portrait ? height : width, portrait ? width : height);
    std::printf("\n");

    session.virtualWidth = session.options.virtualWidth;
    if (session.virtualWidth == 0) {
        session.virtualWidth = portrait ? std::min(2 * height, 256) : 2 * width;
    }

    KeyReader keys(STDIN_FILENO);
    session.keys = &keys;
    int unusable = 0;
    for (int index = 0;; index = (index + 1) % kDepthCount) {
        const int depth = kDepths[index];
        const DepthResult result = RunDepth(session, depth);
        if (result == DepthResult::Quit) {
            break;
        }
        if (result != DepthResult::Unusable) {
            unusable = 0;
            continue;
        }
        std::printf("\nUnable to use virtual mode at %d BPP", depth);
        if (++unusable == kDepthCount) {
            std::printf("\nERROR: No color depth can show a virtual screen %d pixels wide.\n",
                        session.virtualWidth);
            return kExitNoDepth;
        }
    }
    std::printf("\n");
    return kExitOk;
}

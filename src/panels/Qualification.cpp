#include "panels/Qualification.h"

#include "base/Format.h"

namespace zlc {

namespace {

// The 80 KB of display memory, as bytes of a one-bit-per-pixel image.
constexpr int64_t kDisplayMemoryBytes = 0x14000;

} // namespace

bool QualifyPanel(const PanelDefinition& d, std::string& reason) {
    bool disqualified = false;
    if (d.pclkKHz == 0) {
        reason = Format("There is no information on %s in DEBUG.DEF.", d.name.c_str());
        disqualified = true;
    } else {
        reason = Format("%s is disqualified:", d.name.c_str());
        const auto fault = [&](const char* text) {
            reason.append(text);
            disqualified = true;
        };
        if (d.type == PanelType::D_TFD) {
            fault(" it is a D-TFD;");
        }
        // In 64 bits, so that sizes whose product leaves 32 bits are not
        // taken for small panels.
        if (int64_t{d.width} * d.height / 8 > kDisplayMemoryBytes) {
            fault(" requires more than 80K;");
        }
        if (d.isEL == 1) {
            fault(" it is an EL;");
        }
        if (d.needsTft2x == 1) {
            fault(" needs support for TFT 2x;");
        }
        if (d.type == PanelType::TFT && d.fplineStart < 16) {
            fault(" FPLINEStart < 16;");
        }
        if (d.hndp < 32) {
            fault(" HNDP < 32;");
        }
    }
    // The last reason's ";" becomes the full stop.
    reason.back() = '.';
    reason.push_back('\n');
    return disqualified;
}

} // namespace zlc

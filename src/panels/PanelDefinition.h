#pragma once

#include <cstdint>
#include <string>

namespace zlc {

// Flag, format and polarity members hold 1 or 0, or one of these.
inline constexpr int32_t kPanelNotApplicable = -2;
inline constexpr int32_t kPanelUnknown = -4;

// Panel types as the definition files name them; an unknown type word gives
// kPanelUnknown.
namespace PanelType {
inline constexpr int32_t STN = 1;
inline constexpr int32_t TFT = 2;
inline constexpr int32_t HR_TFT = 3;
inline constexpr int32_t D_TFD = 4;
} // namespace PanelType

// One predefined panel, as read from one PANEL line of a definition file. The
// timing members without a setting of their own are only compared when a
// configuration is matched against the panel; what they measure is up to
// whoever writes the file.
struct PanelDefinition {
    bool disqualified = false;
    std::string reason; // why the chip cannot drive the panel, ending in ".\n"
    std::string name;
    int32_t type = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t isEL = kPanelUnknown;
    int32_t dataWidth = 0; // "Data Width Bits"
    int32_t needsTft2x = kPanelUnknown;
    int32_t dataFormat = kPanelUnknown; // 0 format 1, 1 format 2
    int32_t isColor = kPanelUnknown;
    int32_t timing10 = kPanelUnknown;
    int32_t pclkKHz = 0; // 0: the file has no data for the panel
    int32_t timing12 = 0;
    int32_t timing13 = 0;
    int32_t timing14 = 0;
    int32_t timing15 = 0;
    int32_t fplineStart = 0;
    int32_t timing17 = 0;
    int32_t fplinePolarity = kPanelUnknown; // 1 active high, 0 active low
    int32_t fpframeStart = 0;
    int32_t timing20 = 0;
    int32_t fpframePolarity = kPanelUnknown;
    int32_t maskFpshift = kPanelUnknown;
    int32_t hndp = 0;
    int32_t vndp = 0;
};

} // namespace zlc

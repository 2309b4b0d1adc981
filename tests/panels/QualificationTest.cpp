#include "panels/Qualification.h"

#include <functional>
#include <gtest/gtest.h>

namespace zlc {
namespace {

// The reason for a TFT panel that the chip can drive once `change` is made;
// "qualified" when there is none.
std::string Reason(const std::function<void(PanelDefinition&)>& change) {
    PanelDefinition d;
    d.name = "P";
    d.type = PanelType::TFT;
    d.width = 320;
    d.height = 240;
    d.isEL = 0;
    d.needsTft2x = 0;
    d.pclkKHz = 6300;
    d.fplineStart = 16;
    d.hndp = 80;
    change(d);
    std::string reason;
    return QualifyPanel(d, reason) ? reason : std::string("qualified");
}

TEST(Qualification, EachFaultHasItsReason) {
    const std::pair<std::function<void(PanelDefinition&)>, const char*> cases[] = {
        {[](PanelDefinition&) {}, "qualified"},
        {[](PanelDefinition& d) { d.pclkKHz = 0, d.type = 4; },
         "There is no information on P in DEBUG.DEF.\n"},
        {[](PanelDefinition& d) { d.type = 4; }, "P is disqualified: it is a D-TFD.\n"},
        {[](PanelDefinition& d) { d.type = 1, d.width = 1024, d.height = 768; },
         "P is disqualified: requires more than 80K.\n"},
        {[](PanelDefinition& d) { d.width = 1024, d.height = 640; }, "qualified"}, // exactly 80K
        {[](PanelDefinition& d) { d.width = d.height = 65536; }, // the product leaves 32 bits
         "P is disqualified: requires more than 80K.\n"},
        {[](PanelDefinition& d) { d.isEL = 1; }, "P is disqualified: it is an EL.\n"},
        {[](PanelDefinition& d) { d.needsTft2x = 1; },
         "P is disqualified: needs support for TFT 2x.\n"},
        {[](PanelDefinition& d) { d.isEL = d.needsTft2x = -4; }, "qualified"},
        {[](PanelDefinition& d) { d.fplineStart = 8; }, "P is disqualified: FPLINEStart < 16.\n"},
        {[](PanelDefinition& d) { d.fplineStart = 8, d.type = 1; }, "qualified"},
        {[](PanelDefinition& d) { d.hndp = 32; }, "qualified"},
        {[](PanelDefinition& d) { d.hndp = 31; }, "P is disqualified: HNDP < 32.\n"},
        {[](PanelDefinition& d) {
             d.name = "All", d.type = 4, d.width = 1024, d.height = 768, d.isEL = 1;
             d.needsTft2x = 1, d.fplineStart = 0, d.pclkKHz = -1, d.hndp = 0;
         },
         "All is disqualified: it is a D-TFD; requires more than 80K; it is an EL; needs support "
         "for TFT 2x; HNDP < 32.\n"},
    };
    for (const auto& [change, expected] : cases) {
        EXPECT_EQ(Reason(change), expected);
    }
}

} // namespace
} // namespace zlc

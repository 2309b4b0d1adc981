#include "panels/Qualification.h"

#include <gtest/gtest.h>

namespace zlc {
namespace {

// A TFT panel that the chip can drive.
PanelDefinition Drivable() {
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
    return d;
}

std::string Reason(const PanelDefinition& d) {
    std::string reason;
    return QualifyPanel(d, reason) ? reason : std::string("qualified");
}

TEST(Qualification, EachFaultHasItsReason) {
    EXPECT_EQ(Reason(Drivable()), "qualified");

    auto d = Drivable();
    d.pclkKHz = 0;
    d.type = PanelType::D_TFD; // no data outweighs every other fault
    EXPECT_EQ(Reason(d), "There is no information on P in DEBUG.DEF.\n");

    d = Drivable();
    d.type = PanelType::D_TFD;
    EXPECT_EQ(Reason(d), "P is disqualified: it is a D-TFD.\n");
    d = Drivable();
    d.isEL = 1;
    EXPECT_EQ(Reason(d), "P is disqualified: it is an EL.\n");
    d = Drivable();
    d.needsTft2x = 1;
    EXPECT_EQ(Reason(d), "P is disqualified: needs support for TFT 2x.\n");
    d.needsTft2x = kPanelUnknown;
    d.isEL = kPanelNotApplicable;
    EXPECT_EQ(Reason(d), "qualified");
}

TEST(Qualification, DisplayMemoryLimitsTheSize) {
    auto d = Drivable();
    d.type = PanelType::STN;
    d.width = 1024;
    d.height = 768; // 98304 bytes at one bit per pixel
    EXPECT_EQ(Reason(d), "P is disqualified: requires more than 80K.\n");
    d.height = 640; // 81920 bytes: exactly fits
    EXPECT_EQ(Reason(d), "qualified");
    d.height = 641;
    EXPECT_NE(Reason(d), "qualified");

    // Sizes whose product leaves 32 bits are still far too large.
    d.width = 65536;
    d.height = 65536;
    EXPECT_EQ(Reason(d), "P is disqualified: requires more than 80K.\n");
    d.width = -65536;
    EXPECT_EQ(Reason(d), "qualified");
}

TEST(Qualification, TimingLimits) {
    auto d = Drivable();
    d.fplineStart = 8;
    EXPECT_EQ(Reason(d), "P is disqualified: FPLINEStart < 16.\n");
    d.type = PanelType::STN;
    EXPECT_EQ(Reason(d), "qualified");
    d.type = PanelType::HR_TFT;
    EXPECT_EQ(Reason(d), "qualified");

    d = Drivable();
    d.hndp = 32;
    EXPECT_EQ(Reason(d), "qualified");
    d.hndp = 31;
    EXPECT_EQ(Reason(d), "P is disqualified: HNDP < 32.\n");
}

TEST(Qualification, SeveralFaultsInTableOrder) {
    PanelDefinition d;
    d.name = "Everything wrong";
    d.type = PanelType::D_TFD;
    d.width = 1024;
    d.height = 768;
    d.isEL = 1;
    d.needsTft2x = 1;
    d.pclkKHz = -1;
    d.hndp = 0;
    EXPECT_EQ(Reason(d), "Everything wrong is disqualified: it is a D-TFD; requires more than 80K; "
                         "it is an EL; needs support for TFT 2x; HNDP < 32.\n");
    d.type = PanelType::TFT;
    EXPECT_EQ(Reason(d), "Everything wrong is disqualified: requires more than 80K; it is an EL; "
                         "needs support for TFT 2x; FPLINEStart < 16; HNDP < 32.\n");
}

} // namespace
} // namespace zlc

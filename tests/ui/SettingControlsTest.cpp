#include "ui/SettingControls.h"

#include "cases/CaseFile.h"
#include "ui/ControlBindings.h"

namespace zlc::test {
namespace {

using namespace zlc::ui;

class TypedNumber : public ::testing::TestWithParam<Case> {};
TEST_P(TypedNumber, IsReadAsTheFieldReadsIt) {
    const Case& c = GetParam();
    std::optional<uint64_t> value;
    if (c["kind"] == "hex") {
        value = ParseHexText(c["text"]);
    } else if (const auto decimal = ParseDecimalText(c["text"])) {
        value = decimal->thousandths;
        EXPECT_EQ(decimal->whole, *value / 1000);
    }
    if (c["value"] == "refused") {
        EXPECT_FALSE(value.has_value());
    } else {
        EXPECT_EQ(value, std::optional<uint64_t>(std::stoull(c["value"], nullptr, 0)));
    }
}
ZLC_CASES(TypedNumber, "ui/typed-numbers.txt");

// The edit part of a combo box shows the combo box's tip.
TEST(ControlTooltip, TheEditOfAComboBoxHasTheComboBoxsTip) {
    EXPECT_EQ(ControlTooltip(1001, 1401), ControlTooltip(1401));
    EXPECT_FALSE(ControlTooltip(1401).empty());
    EXPECT_EQ(ControlTooltip(1001), "");
}

} // namespace
} // namespace zlc::test

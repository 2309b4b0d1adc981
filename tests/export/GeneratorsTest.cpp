#include "export/Generators.h"

#include "cases/CaseFile.h"
#include "export/Export.h"
#include "export/ExportCase.h"
#include "model/SettingsTable.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace zlc {
namespace {

class Generators : public ::testing::TestWithParam<test::ExportCase> {};

// Every file of a case folder but "settings" is the expected export of that
// name. The register map and the page do not depend on the configuration.
TEST_P(Generators, MatchTheExpectedFiles) {
    using namespace ExportTargetNumber;
    const std::map<std::string, int> targets = {
        {"appcfg.h", AppCfg}, {"zlc62740.h", GenericHeader}, {"zlc62740.csv", Csv}};
    const test::ExportCase& exportCase = GetParam();
    const ConfigDocument doc = exportCase.Document();
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(exportCase.folder)) {
        const std::string file = entry.path().filename().string();
        unsigned mode = 0;
        if (file == "settings" || file == "chip.h") {
            continue;
        }
        const bool wince = std::sscanf(file.c_str(), "mode%u.h", &mode) == 1;
        EXPECT_EQ(GenerateExport(doc, wince ? WinCeHeader : targets.at(file), 9, mode),
                  exportCase.Expected(file))
            << file;
        ++files;
    }
    EXPECT_EQ(files, 4u);
    EXPECT_EQ(GenerateChipHeader(doc, 9), test::FindExportCase("default").Expected("chip.h"));
    EXPECT_EQ(GenerateHtmlReference(doc, 9), GenerateHtmlReference(ConfigDocument(), 9));
}

INSTANTIATE_TEST_SUITE_P(Cases, Generators, ::testing::ValuesIn(test::ExportCases()),
                         [](const auto& param) { return param.param.name; });

// The WinCE flags follow PivotScan Mode Enable, never PivotScan Mode Select.
TEST(Generators, WinCeFlagsFollowPivotScanEnableOnly) {
    ConfigDocument doc;
    SetSetting(doc, SettingId::PivotScanSelect, 1);
    EXPECT_NE(GenerateWinCeHeader(doc, 9, 0).find("        0,                          // Flags\n"),
              std::string::npos);
}

// The page has no expected file: its frame and parts are in a case file; the
// browser test counts its register headings.
TEST(HtmlReference, FramesTheRegistersWithTheirFields) {
    test::ExpectOutput(test::ReadCases("export/html-reference.txt").at(0),
                       GenerateHtmlReference(ConfigDocument(), 123));
}

} // namespace
} // namespace zlc

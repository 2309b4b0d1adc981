#include "export/Generators.h"

#include "export/Export.h"
#include "export/ExportCase.h"
#include "model/SettingsTable.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

namespace zlc {
namespace {

using test::ExportCase;

// The target and WinCE mode number that an expected file's name stands for.
std::pair<int, unsigned> TargetOfFile(const std::string& file) {
    using namespace ExportTargetNumber;
    if (file == "appcfg.h") {
        return {AppCfg, 0};
    }
    if (file == "chip.h") {
        return {ChipHeader, 0};
    }
    if (file == "zlc62740.h") {
        return {GenericHeader, 0};
    }
    if (file == "zlc62740.csv") {
        return {Csv, 0};
    }
    unsigned mode = 0;
    EXPECT_EQ(std::sscanf(file.c_str(), "mode%u.h", &mode), 1) << file;
    return {WinCeHeader, mode};
}

// Compares line by line first, so that a mismatch names its line.
void ExpectSameText(const std::string& actual, const std::string& expected,
                    const std::string& what) {
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string actualLine;
    std::string expectedLine;
    for (int line = 1; std::getline(e, expectedLine); ++line) {
        std::getline(a, actualLine);
        ASSERT_EQ(actualLine, expectedLine) << what << ", line " << line;
    }
    EXPECT_EQ(actual, expected) << what;
}

TEST(Generators, EveryCaseMatchesItsExpectedFiles) {
    const auto cases = test::ExportCases();
    ASSERT_GE(cases.size(), 5u);
    const std::string chipHeader = test::FindExportCase("default").Expected("chip.h");
    ASSERT_FALSE(chipHeader.empty());
    for (const ExportCase& exportCase : cases) {
        const ConfigDocument doc = exportCase.Document();
        for (const std::string& file : exportCase.Files()) {
            const auto [target, mode] = TargetOfFile(file);
            ExpectSameText(GenerateExport(doc, target, 9, mode), exportCase.Expected(file),
                           exportCase.name + "/" + file);
        }
        // The register map does not depend on the configuration.
        ExpectSameText(GenerateChipHeader(doc, 9), chipHeader, exportCase.name + "/chip.h");
    }
}

TEST(Generators, OnlyReadTheDocument) {
    const ConfigDocument original = test::FindExportCase("passive-color-format2").Document();
    ConfigDocument doc = original;
    for (int target = 0; target < kExportTargetCount; ++target) {
        GenerateExport(doc, target, 9, 5);
    }
    EXPECT_EQ(std::memcmp(&doc.block, &original.block, sizeof doc.block), 0);
    EXPECT_EQ(doc.format2Selected, original.format2Selected);
    EXPECT_EQ(doc.lcdPowerOffTimeMs, original.lcdPowerOffTimeMs);
}

TEST(Generators, StateTheBuildNumberTheyAreGiven) {
    const ConfigDocument doc;
    EXPECT_NE(GenerateAppCfgHeader(doc, 123).find("62740CFG.EXE (Build 123)\n"), std::string::npos);
    EXPECT_NE(GenerateCsv(doc, 123).find("62740CFG.EXE (Build 123)\n"), std::string::npos);
    EXPECT_NE(GenerateHtmlReference(doc, 123).find("62740CFG.EXE (Build 123).</I>"),
              std::string::npos);
    EXPECT_EQ(GenerateExport(doc, kExportTargetCount, 9, 0), "");
}

TEST(Generators, WinCeStrideFollowsTheColourDepth) {
    ConfigDocument doc;
    SetSetting(doc, SettingId::BitsPerPixel, 1);
    EXPECT_NE(GenerateWinCeHeader(doc, 9, 0).find(
                  "        0,320,240,1,320/32,gpe1Bpp,  // Mode #0: 320 x 240 1Bpp "
                  "StrideInDword=10\n        320,                        // Stride in Pixel\n"
                  "        40,                         // Stride in Byte\n"),
              std::string::npos);
    // The flags follow PivotScan Mode Enable only, never PivotScan Mode Select.
    SetSetting(doc, SettingId::PivotScanSelect, 1);
    EXPECT_NE(GenerateWinCeHeader(doc, 9, 0).find("        0,                          // Flags\n"),
              std::string::npos);
}

} // namespace
} // namespace zlc

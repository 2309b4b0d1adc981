#pragma once

#include "cases/CaseFile.h"
#include "cli/SettingNames.h"
#include "model/ConfigDocument.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zlc::test {

// One folder of tests/data/export: "settings" holds the NAME=VALUE lines that
// make the configuration from the default one; the other files are the
// expected texts with "\n" line ends. They are never regenerated from the
// program's own output, so that a fault of a generator cannot confirm itself.
// A mode<n>.h file is the WinCE header for mode number n.
struct ExportCase {
    std::string name;
    std::filesystem::path folder;

    std::vector<std::string> Settings() const {
        std::vector<std::string> settings = Split(ReadText((folder / "settings").string()), '\n');
        std::erase(settings, "");
        return settings;
    }

    ConfigDocument Document() const {
        ConfigDocument doc;
        for (const std::string& setting : Settings()) {
            EXPECT_EQ(cli::ApplyAssignment(doc, setting), "") << name << ": " << setting;
        }
        return doc;
    }

    std::string Expected(const std::string& file) const {
        return ReadText((folder / file).string());
    }
};

inline ExportCase FindExportCase(const std::string& name) {
    return {name, std::filesystem::path(ZLC_TEST_DATA_DIR) / "export" / name};
}

inline std::vector<ExportCase> ExportCases() {
    std::vector<ExportCase> cases;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(ZLC_TEST_DATA_DIR) + "/export")) {
        if (std::filesystem::exists(entry.path() / "settings")) {
            cases.push_back(FindExportCase(entry.path().filename().string()));
        }
    }
    return cases;
}

} // namespace zlc::test

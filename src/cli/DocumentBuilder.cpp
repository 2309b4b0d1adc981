#include "cli/DocumentBuilder.h"

#include "cli/PanelCommands.h"
#include "cli/SettingNames.h"
#include "cli/SettingsFile.h"
#include "files/ConfigFile.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace zlc::cli {

int BuildDocument(const DocumentOptions& options, ConfigDocument& doc, platform::FileLock& lock) {
    if (!options.inFile.empty()) {
        if (!options.savedFile.empty() && platform::IsSameFile(options.inFile, options.savedFile)) {
            int error = 0;
            lock = platform::FileLock::Acquire(options.inFile, error);
        }
        const FileOutcome outcome = LoadConfigFile(doc, options.inFile);
        if (!outcome.ok) {
            std::fprintf(stderr, "%s\n", outcome.message.c_str());
            return kExitFailed;
        }
    }
    if (const int status = ApplyPanelOption(doc, options); status != kExitOk) {
        return status;
    }
    if (!options.settingsFile.empty()) {
        const std::string error = ApplySettingsFile(doc, options.settingsFile);
        if (!error.empty()) {
            std::fprintf(stderr, "zlc62740: --settings: %s\n", error.c_str());
            return kExitUsage;
        }
    }
    for (const std::string& assignment : options.assignments) {
        const std::string error = ApplyAssignment(doc, assignment);
        if (!error.empty()) {
            std::fprintf(stderr, "zlc62740: --set: %s\n", error.c_str());
            return kExitUsage;
        }
    }
    return kExitOk;
}

} // namespace zlc::cli

#include "cli/DocumentBuilder.h"

#include "base/Format.h"
#include "cli/PanelCommands.h"
#include "cli/SettingNames.h"
#include "cli/SettingsFile.h"
#include "files/ConfigFile.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace zlc::cli {

namespace {

// The file the command saves that is the --in file, if any.
const std::string* SavedInFile(const DocumentOptions& options) {
    for (const std::string& saved : options.savedFiles) {
        if (platform::IsSameFile(options.inFile, saved)) {
            return &saved;
        }
    }
    return nullptr;
}

int LoadInFile(const DocumentOptions& options, ConfigDocument& doc, platform::FileLock& lock,
               SaveConditions& saving) {
    const std::string* saved = SavedInFile(options);
    if (saved != nullptr) {
        int error = 0;
        lock = platform::FileLock::Acquire(options.inFile, saving.wait, error);
        if (error == platform::kErrorLockTimeout || error == platform::kErrorCancelled) {
            std::fprintf(
                stderr, "%s\n",
                Format(kSaveFailedFormat, saved->c_str(), platform::SystemErrorText(error).c_str())
                    .c_str());
            return kExitFailed;
        }
    }
    const FileOutcome outcome = LoadConfigFile(doc, options.inFile);
    if (!outcome.notice.empty()) {
        std::fprintf(stderr, "%s\n", outcome.notice.c_str());
    }
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
        return kExitFailed;
    }
    if (saved != nullptr) {
        saving.loadedName = *saved;
        saving.loaded = outcome.file;
    }
    saving.layout = outcome.layout;
    return kExitOk;
}

} // namespace

platform::LockWait CommandLineLockWait(unsigned seconds) {
    platform::LockWait wait;
    wait.patience = std::chrono::seconds(seconds);
    wait.onWaiting = [](const std::string& path) {
        std::fprintf(stderr, "Waiting for another program to finish with %s\u2026\n", path.c_str());
    };
    return wait;
}

int BuildDocument(const DocumentOptions& options, ConfigDocument& doc, platform::FileLock& lock,
                  SaveConditions& saving) {
    saving.wait = CommandLineLockWait(options.waitSeconds);
    if (!options.inFile.empty()) {
        if (const int status = LoadInFile(options, doc, lock, saving); status != kExitOk) {
            return status;
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

#include "ui/GuardedSave.h"

#include "base/Format.h"

#include <sys/stat.h>

namespace zlc::ui {

platform::FileIdentity IdentityNow(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? platform::IdentityOf(status)
                                              : platform::FileIdentity{};
}

std::optional<FileOutcome> GuardedSave(ShellHost& host, const ConfigDocument& doc,
                                       const std::string& source,
                                       const platform::FileIdentity& opened,
                                       const std::optional<std::string>& target) {
    SaveConditions conditions;
    if (!target) {
        conditions.loadedName = source;
        conditions.loaded = opened;
        struct stat now {};
        if (::stat(source.c_str(), &now) == 0 && !platform::IsUnchanged(opened, now)) {
            if (!host.AskYesNo(Format(kChangedByOtherQuestion, source.c_str()))) {
                return std::nullopt;
            }
            // Agreed to what the user was asked about; a change after the
            // question is refused as any other.
            conditions.loaded = platform::IdentityOf(now);
        }
    }
    bool waiting = false;
    conditions.wait.onWaiting = [&](const std::string& path) {
        waiting = true;
        host.BeginWait(Format(kWaitingFormat, path.c_str()));
    };
    conditions.wait.keepWaiting = [&] { return host.WaitGoesOn(); };
    const FileOutcome outcome = SaveConfigFile(doc, source, target, false, conditions);
    if (waiting) {
        host.EndWait();
    }
    if (outcome.error == platform::kErrorCancelled) {
        return std::nullopt;
    }
    return outcome;
}

} // namespace zlc::ui

#pragma once

#include "files/ConfigFile.h"
#include "model/ConfigDocument.h"
#include "platform/FileIdentity.h"
#include "ui/Shell.h"

#include <optional>
#include <string>

namespace zlc::ui {

inline constexpr const char* kChangedByOtherQuestion =
    "File \"%s\" was changed by another program after it was opened.\n\n"
    "Do you want to overwrite it?";
inline constexpr const char* kWaitingFormat = "Waiting for another program to finish with %s\u2026";

// The file as the program last read or wrote it: a save compares it with the
// file as it is then.
platform::FileIdentity IdentityNow(const std::string& path);

// Saves as SaveConfigFile does, with the lock wait shown by the host (Cancel
// ends it). A file saved in place that another program changed since
// `opened` is overwritten only once the user agrees. Nothing, when the user
// declined or cancelled: there is nothing to report then.
std::optional<FileOutcome> GuardedSave(ShellHost& host, const ConfigDocument& doc,
                                       const std::string& source,
                                       const platform::FileIdentity& opened,
                                       const std::optional<std::string>& target);

} // namespace zlc::ui

// Feeds arbitrary settings files (JSON or NAME=VALUE lines) to the --settings
// reader and applies what it accepts to a default document.
#include "cli/SettingsFile.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<zlc::cli::SettingsFileEntry> entries;
    zlc::cli::SettingsFileError error;
    if (zlc::cli::ReadSettingsText(text, entries, error)) {
        zlc::ConfigDocument doc;
        (void)zlc::cli::ApplySettings(doc, entries, error);
    }
    return 0;
}

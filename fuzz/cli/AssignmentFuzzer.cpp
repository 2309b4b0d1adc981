// Feeds arbitrary NAME=VALUE texts to the --set parser.
#include "cli/SettingNames.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zlc::ConfigDocument doc;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)zlc::cli::ApplyAssignment(doc, text);
    if (const auto ref = zlc::cli::ResolveSettingName(text)) {
        (void)zlc::cli::DescribeValue(doc, *ref, (size & 1) != 0);
    }
    return 0;
}

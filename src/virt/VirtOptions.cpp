#include "virt/VirtOptions.h"

#include "base/AsciiCase.h"

#include <charconv>

namespace zlc::virt {

namespace {

// A decimal number from kMinVirtualWidth to kMaxVirtualWidth, or 0.
int ParseWidth(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) {
        return 0; // not a number, or one beyond int
    }
    return value >= kMinVirtualWidth && value <= kMaxVirtualWidth ? value : 0;
}

} // namespace

VirtOptions ParseVirtOptions(const std::vector<std::string>& words) {
    VirtOptions options;
    for (auto word = words.rbegin(); word != words.rend(); ++word) {
        if (word->empty() || ((*word)[0] != '/' && (*word)[0] != '-')) {
            continue;
        }
        const std::string body = word->substr(1);
        const char letter = body.empty() ? '\0' : AsciiUpper(body[0]);
        switch (letter) {
        case 'A':
            if (EqualsIgnoringAsciiCase(body, "ALT")) {
                options.alternate = true;
                options.orientation = 1;
            } else {
                options.automatic = true;
            }
            break;
        case 'L':
            options.orientation = 0;
            break;
        case 'P':
            options.orientation = 1;
            break;
        case 'W':
            if (body.size() < 2 || body[1] != '=') {
                options.outcome = VirtOptions::Usage;
                return options;
            }
            // A width narrower than one byte of pixels leaves no whole byte
            // per line to divide memory by; such widths are refused.
            options.virtualWidth = ParseWidth(body.substr(2));
            if (options.virtualWidth == 0) {
                options.outcome = VirtOptions::BadWidth;
                options.badWidth = body.substr(2);
                return options;
            }
            break;
        default:
            options.outcome = VirtOptions::Usage;
            return options;
        }
    }
    return options;
}

} // namespace zlc::virt

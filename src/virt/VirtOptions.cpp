#include "virt/VirtOptions.h"

#include <cctype>

namespace zlc::virt {

namespace {

bool EqualsIgnoringCase(const std::string& text, const char* word) {
    size_t i = 0;
    for (; i < text.size() && word[i] != '\0'; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != word[i]) {
            return false;
        }
    }
    return i == text.size() && word[i] == '\0';
}

// A decimal number from kMinVirtualWidth to kMaxVirtualWidth, or 0.
int ParseWidth(const std::string& text) {
    if (text.empty() || text.size() > 5) {
        return 0;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + (c - '0');
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
        const char letter =
            body.empty() ? '\0'
                         : static_cast<char>(std::toupper(static_cast<unsigned char>(body[0])));
        switch (letter) {
        case 'A':
            if (EqualsIgnoringCase(body, "ALT")) {
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

#include "ui/AppIdentity.h"

#include "base/Format.h"

#include <cstdlib>
#include <cstring>

namespace zlc::ui {

namespace {

constexpr const char* kRevision = "$Revision: 9 $";

} // namespace

std::string ProgramName() {
    return Format("%sCFG", kChipNumber);
}

int BuildNumber() {
    const char* colon = std::strchr(kRevision, ':');
    return colon != nullptr ? std::atoi(colon + 1) : 0;
}

std::string WithChipNumber(const std::string& text) {
    std::string result = text;
    const size_t at = result.find("%s");
    if (at != std::string::npos) {
        result.replace(at, 2, kChipNumber);
    }
    return result;
}

} // namespace zlc::ui

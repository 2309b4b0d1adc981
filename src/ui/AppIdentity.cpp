#include "ui/AppIdentity.h"

#include "base/BuildInfo.h"
#include "base/Format.h"

namespace zlc::ui {

std::string ProgramName() {
    return Format("%sCFG", ChipNumber);
}

std::string VersionLine() {
    const std::string version = Format(" Version %s", ProductVersion);
    return Format("%s%s  (Build %u)", ProgramName().c_str(), version.c_str(), BuildNumber);
}

std::string WithChipNumber(const std::string& text) {
    std::string result = text;
    const size_t at = result.find("%s");
    if (at != std::string::npos) {
        result.replace(at, 2, ChipNumber);
    }
    return result;
}

} // namespace zlc::ui

#include "ui/ToolkitCheck.h"

#include "base/Format.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace zlc::ui {

namespace {

// "6.4.2" as {6, 4, 2}; whatever follows the digits of a part ("2-rc1") is
// left out.
std::vector<unsigned long> VersionParts(const std::string& version) {
    std::vector<unsigned long> parts;
    std::istringstream in(version);
    std::string part;
    while (std::getline(in, part, '.')) {
        parts.push_back(std::strtoul(part.c_str(), nullptr, 10));
    }
    return parts;
}

} // namespace

bool IsToolkitTooOld(const ToolkitVersions& versions) {
    std::vector<unsigned long> running = VersionParts(versions.running);
    std::vector<unsigned long> required = VersionParts(versions.required);
    const size_t length = std::max(running.size(), required.size());
    running.resize(length, 0);
    required.resize(length, 0);
    return running < required;
}

std::string ToolkitQuestion(const ToolkitVersions& versions) {
    return Format("This program requires version %s (or greater) of the Qt library.\n"
                  "Your system is using version %s of the Qt library.\n\n"
                  "Do you want to run this program anyway?",
                  versions.required.c_str(), versions.running.c_str());
}

std::string ToolkitUpdateAdvice(const ToolkitVersions& versions) {
    return Format("This program requires version %s (or greater) of the Qt library.\n"
                  "Your system is using version %s of the Qt library.\n\n"
                  "The Qt library is part of your system and is updated by its package "
                  "manager, for example with:\n\n"
                  "    sudo apt update && sudo apt upgrade",
                  versions.required.c_str(), versions.running.c_str());
}

bool StartupToolkitCheck(const ToolkitVersions& versions,
                         const std::function<bool(const std::string&)>& askYesNo) {
    return !IsToolkitTooOld(versions) || askYesNo(ToolkitQuestion(versions));
}

} // namespace zlc::ui

#include "cli/DocumentBuilder.h"

#include "cli/SettingNames.h"
#include "files/DocumentImage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zlc::cli {

namespace {

void ReportOpenFailure(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "File \"%s\" could not be opened because:\n\n%s\n", path.c_str(),
                 reason.c_str());
}

int LoadInputFile(const std::string& path, ConfigDocument& doc) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ReportOpenFailure(path, std::strerror(errno));
        return kExitFailed;
    }
    const std::vector<uint8_t> image{std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>()};
    std::string message;
    if (!LoadFromImage(doc, image, message)) {
        ReportOpenFailure(path, message);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

int BuildDocument(const DocumentOptions& options, ConfigDocument& doc) {
    if (!options.inFile.empty()) {
        if (const int status = LoadInputFile(options.inFile, doc); status != kExitOk) {
            return status;
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

#pragma once

#include "hal/sim/PanelRenderer.h"

#include <string>

namespace zlc::cli {

// "-" names standard output wherever an output file is named.
inline bool IsStandardOutput(const std::string& name) {
    return name == "-";
}

// Why the file writer would refuse `path` as an output file (not a regular
// file, a link another user planted in a shared directory); empty when it
// would not.
std::string OutputRefusal(const std::string& path);

// Writes the picture as PNG into `output`, or to standard output for "-".
bool WritePngOutput(const sim::PanelImage& image, const std::string& output, std::string& message);

} // namespace zlc::cli

#pragma once

// The maker's notices that the generated files and the programs carry.
namespace zlc::notice {

// The two copyright lines of the header banners, the CSV file and the
// console programs.
inline constexpr const char* kCopyrightLine1 = "Copyright (c) 2026 Korvane.";
inline constexpr const char* kCopyrightLine2 = "All rights reserved.";

// The footer of the HTML register reference, shown in italics.
inline constexpr const char* kHtmlFooter =
    "Copyright (c) 2026 Korvane. All rights reserved. "
    "The information in this document is subject to change without notice. "
    "It may be used only for the evaluation of Korvane products and may not be modified. "
    "Korvane makes no warranty as to the accuracy of this information and grants no license "
    "under any patent rights. "
    "All trademarks are the property of their respective owners.";

} // namespace zlc::notice

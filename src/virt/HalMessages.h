#pragma once

namespace zlc::virt {

// What the test program prints when the HAL cannot reach the chip, for a
// result code of halInitialize, with its blank line before and line end.
const char* HalInitializeMessage(int code);

} // namespace zlc::virt

// The command line of 62740VIRT: NUL-separated words.

#include "virt/VirtOptions.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back() += static_cast<char>(data[i]);
        }
    }
    const zlc::virt::VirtOptions options = zlc::virt::ParseVirtOptions(words);
    if (options.outcome == zlc::virt::VirtOptions::Run && options.virtualWidth != 0 &&
        options.virtualWidth < zlc::virt::kMinVirtualWidth) {
        __builtin_trap();
    }
    return 0;
}

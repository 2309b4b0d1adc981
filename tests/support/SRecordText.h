#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zlc::test {

// One record as a writer of S-record files would put it: upper-case digits,
// checksum over count, address and data.
inline std::string SRecord(char type, uint32_t address, const std::vector<uint8_t>& data) {
    const int addressBytes = type == '2' || type == '8' ? 3 : type == '3' || type == '7' ? 4 : 2;
    std::string line = {'S', type};
    unsigned sum = 0;
    const auto put = [&](unsigned byte) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte & 0xFF);
        line += digits;
        sum += byte & 0xFF;
    };
    put(static_cast<unsigned>(addressBytes + data.size() + 1));
    for (int i = addressBytes - 1; i >= 0; --i) {
        put(address >> (8 * i));
    }
    for (const uint8_t byte : data) {
        put(byte);
    }
    put(~sum);
    return line;
}

struct SRecordLayout {
    char dataType = '1';
    size_t bytesPerRecord = 16;
    uint32_t address = 0;
    std::string lineEnd = "\r\n";
};

// An S-record file carrying `data`: a header, the data records and the
// terminator that matches the data record type.
inline std::string SRecordFile(const std::vector<uint8_t>& data, const SRecordLayout& layout = {}) {
    const std::string& eol = layout.lineEnd;
    std::string text = SRecord('0', 0, {'t', 'e', 's', 't'}) + eol;
    for (size_t at = 0; at < data.size(); at += layout.bytesPerRecord) {
        const size_t n = std::min(layout.bytesPerRecord, data.size() - at);
        const std::vector<uint8_t> chunk(data.begin() + static_cast<std::ptrdiff_t>(at),
                                         data.begin() + static_cast<std::ptrdiff_t>(at + n));
        text += SRecord(layout.dataType, layout.address + static_cast<uint32_t>(at), chunk) + eol;
    }
    const char end = layout.dataType == '3' ? '7' : layout.dataType == '2' ? '8' : '9';
    return text + SRecord(end, 0, {}) + eol;
}

} // namespace zlc::test

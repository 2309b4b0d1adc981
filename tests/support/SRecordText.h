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
    const unsigned count = static_cast<unsigned>(addressBytes + data.size() + 1);
    char buffer[8];
    std::string line = "S";
    line += type;
    unsigned sum = count;
    std::snprintf(buffer, sizeof buffer, "%02X", count);
    line += buffer;
    for (int i = addressBytes - 1; i >= 0; --i) {
        const unsigned byte = (address >> (8 * i)) & 0xFF;
        std::snprintf(buffer, sizeof buffer, "%02X", byte);
        line += buffer;
        sum += byte;
    }
    for (uint8_t byte : data) {
        std::snprintf(buffer, sizeof buffer, "%02X", byte);
        line += buffer;
        sum += byte;
    }
    std::snprintf(buffer, sizeof buffer, "%02X", ~sum & 0xFF);
    line += buffer;
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

// The data bytes of the S1-S3 records of a file, read independently of the
// program's own reader; also checks every record's checksum.
inline bool SRecordData(const std::string& text, std::vector<uint8_t>& data) {
    data.clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.size() < 4 || line[0] != 'S') {
            continue;
        }
        std::vector<uint8_t> bytes;
        for (size_t i = 2; i + 1 < line.size(); i += 2) {
            bytes.push_back(static_cast<uint8_t>(std::stoul(line.substr(i, 2), nullptr, 16)));
        }
        unsigned sum = 0;
        for (size_t i = 0; i + 1 < bytes.size(); ++i) {
            sum += bytes[i];
        }
        if (bytes.empty() || bytes[0] + 1u != bytes.size() ||
            static_cast<uint8_t>(~sum) != bytes.back()) {
            return false;
        }
        const char type = line[1];
        if (type >= '1' && type <= '3') {
            const size_t addressBytes = static_cast<size_t>(type - '0') + 1;
            data.insert(data.end(), bytes.begin() + 1 + static_cast<std::ptrdiff_t>(addressBytes),
                        bytes.end() - 1);
        }
    }
    return true;
}

} // namespace zlc::test

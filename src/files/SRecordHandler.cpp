#include "files/SRecordHandler.h"

#include <algorithm>
#include <array>

namespace zlc {

namespace {

constexpr uint8_t kNotHex = 0xFF;

constexpr std::array<uint8_t, 256> MakeHexValues() {
    std::array<uint8_t, 256> values{};
    values.fill(kNotHex);
    for (int i = 0; i < 10; ++i) {
        values['0' + i] = static_cast<uint8_t>(i);
    }
    for (int i = 0; i < 6; ++i) {
        values['A' + i] = static_cast<uint8_t>(10 + i);
        values['a' + i] = static_cast<uint8_t>(10 + i);
    }
    return values;
}

constexpr std::array<uint8_t, 256> kHexValues = MakeHexValues();
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsLineEnd(uint8_t c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// Address bytes of the record types that are read and rewritten; 0 for a type
// that is carried through as a kept line.
int AddressBytes(uint8_t type) {
    switch (type) {
    case '0':
    case '1':
    case '5':
    case '9':
        return 2;
    case '2':
    case '8':
        return 3;
    case '3':
    case '7':
        return 4;
    default:
        return 0;
    }
}

bool CarriesData(char type) {
    return type >= '0' && type <= '3';
}

// Reads hex digit pairs from the text. Running into the end of the text or a
// character that is not a hex digit leaves the reader failed: a record is then
// cut short or damaged, which no checksum can be trusted to catch.
class HexReader {
  public:
    HexReader(const uint8_t* text, size_t length, size_t pos)
        : text_(text), length_(length), pos_(pos) {}

    bool Byte(uint8_t& value) {
        if (length_ - pos_ < 2) {
            return false;
        }
        const uint8_t high = kHexValues[text_[pos_]];
        const uint8_t low = kHexValues[text_[pos_ + 1]];
        if ((high | low) > 0x0F) {
            return false;
        }
        value = static_cast<uint8_t>((high << 4) | low);
        pos_ += 2;
        return true;
    }

    size_t Position() const { return pos_; }

  private:
    const uint8_t* text_;
    size_t length_;
    size_t pos_;
};

// Reads one record that starts at "S" and a type of the table. Returns false
// when the record is cut short, holds a character that is not a hex digit, or
// has a byte count too small for its address and checksum.
bool ReadRecord(const uint8_t* text, size_t length, size_t& pos, SRecordLine& line,
                std::vector<uint8_t>& data, bool& checksumOk) {
    const uint8_t type = text[pos + 1];
    const int addressBytes = AddressBytes(type);
    HexReader reader(text, length, pos + 2);
    uint8_t count = 0;
    if (!reader.Byte(count) || count < addressBytes + 1) {
        return false;
    }
    // Records without data have nothing between address and checksum; a larger
    // count would leave characters the rewrite cannot place.
    if (!CarriesData(static_cast<char>(type)) && count != addressBytes + 1) {
        return false;
    }
    unsigned sum = count;
    uint32_t address = 0;
    for (int i = 0; i < addressBytes; ++i) {
        uint8_t byte = 0;
        if (!reader.Byte(byte)) {
            return false;
        }
        address = (address << 8) | byte;
        sum += byte;
    }
    const size_t dataLength = static_cast<size_t>(count - addressBytes - 1);
    const size_t dataStart = data.size();
    data.resize(dataStart + dataLength);
    for (size_t i = 0; i < dataLength; ++i) {
        uint8_t byte = 0;
        if (!reader.Byte(byte)) {
            return false;
        }
        data[dataStart + i] = byte;
        sum += byte;
    }
    uint8_t checksum = 0;
    if (!reader.Byte(checksum)) {
        return false;
    }
    checksumOk = checksum == static_cast<uint8_t>(~sum);
    line = {static_cast<char>(type), address, count};
    pos = reader.Position();
    return true;
}

uint8_t* PutHex(uint8_t* out, uint8_t byte) {
    out[0] = static_cast<uint8_t>(kHexDigits[byte >> 4]);
    out[1] = static_cast<uint8_t>(kHexDigits[byte & 0x0F]);
    return out + 2;
}

size_t DataLength(const SRecordLine& line) {
    if (line.type == '?') {
        return line.count;
    }
    if (CarriesData(line.type)) {
        return line.count - static_cast<size_t>(AddressBytes(static_cast<uint8_t>(line.type))) - 1;
    }
    return 0;
}

// Characters a line takes when written, line end excluded: "S", type, then the
// byte count, address, data and checksum as two digits per byte.
size_t WrittenLength(const SRecordLine& line) {
    return line.type == '?' ? line.count : 2 * line.count + 4;
}

// The block may lie partly in a kept line (its identifier text, say). Such
// text is copied as it is, so the bytes there must not change: a new value
// could put a line end or a control character into the text.
bool KeptTextUnchanged(const SRecordImage& parsed, const uint8_t* newBlock) {
    const size_t blockEnd = parsed.blockOffset + kConfigBlockSize;
    size_t pos = 0;
    for (const SRecordLine& line : parsed.lines) {
        const size_t length = DataLength(line);
        if (pos >= blockEnd) {
            break;
        }
        if (line.type == '?' && pos + length > parsed.blockOffset) {
            const size_t from = std::max(pos, parsed.blockOffset);
            const size_t to = std::min(pos + length, blockEnd);
            for (size_t i = from; i < to; ++i) {
                if (parsed.data[i] != newBlock[i - parsed.blockOffset]) {
                    return false;
                }
            }
        }
        pos += length;
    }
    return true;
}

} // namespace

bool LooksLikeSRecordText(std::span<const uint8_t> image) {
    size_t sLines = 0;
    bool dataRecord = false;
    bool atLineStart = true;
    for (size_t i = 0; i < image.size(); ++i) {
        const uint8_t c = image[i];
        if (c < 0x20 && c != '\t' && !IsLineEnd(c)) {
            return false;
        }
        if (c >= 0x7F) {
            return false;
        }
        if (atLineStart && c == 'S') {
            ++sLines;
            if (i + 1 < image.size() && image[i + 1] >= '1' && image[i + 1] <= '3') {
                dataRecord = true;
            }
        }
        atLineStart = IsLineEnd(c);
    }
    return sLines >= 3 && dataRecord;
}

BlockResult ReadSRecordImage(std::span<const uint8_t> image, ConfigBlock* block,
                             SRecordImage* parsed, std::string& message) {
    message = kMessageNoConfigData;
    if (!LooksLikeSRecordText(image)) {
        return BLOCK_ABSENT;
    }
    SRecordImage local;
    SRecordImage& out = parsed != nullptr ? *parsed : local;
    out = SRecordImage{};
    out.data.reserve(image.size() / 2);
    out.lines.reserve(image.size() / 40 + 16);

    const uint8_t* text = image.data();
    const size_t length = image.size();
    bool lineEndRecorded = false;
    const char* error = nullptr;
    size_t dataRecords = 0;
    size_t pos = 0;
    while (pos < length) {
        const uint8_t c = text[pos];
        if (IsLineEnd(c)) {
            if (lineEndRecorded) {
                ++pos;
                continue;
            }
            const size_t start = pos;
            while (pos < length && IsLineEnd(text[pos])) {
                ++pos;
            }
            out.lineEnd.assign(reinterpret_cast<const char*>(text + start), pos - start);
            lineEndRecorded = true;
            continue;
        }
        if (c == 'S' && pos + 1 < length && AddressBytes(text[pos + 1]) != 0) {
            const uint8_t type = text[pos + 1];
            if (type >= '1' && type <= '3') {
                ++dataRecords;
            }
            SRecordLine line{};
            bool checksumOk = true;
            if (!ReadRecord(text, length, pos, line, out.data, checksumOk)) {
                message = kMessageSRecordCorrupted;
                return BLOCK_ERROR;
            }
            if (!checksumOk) {
                error = kMessageSRecordCorrupted;
            }
            if (type == '5' && line.address != dataRecords) {
                error = kMessageInvalidRecordCount;
            }
            out.lines.push_back(line);
            continue;
        }
        const size_t start = pos;
        while (pos < length && !IsLineEnd(text[pos])) {
            ++pos;
        }
        out.data.insert(out.data.end(), text + start, text + pos);
        out.lines.push_back({'?', 0, pos - start});
    }
    if (error != nullptr) {
        message = error;
        return BLOCK_ERROR;
    }
    return LocateConfigBlock(out.data, block, &out.blockOffset, message);
}

BlockResult SRecordReadBlock(std::span<const uint8_t> image, ConfigBlock* block,
                             std::string& message) {
    return ReadSRecordImage(image, block, nullptr, message);
}

BlockResult SRecordWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message) {
    SRecordImage parsed;
    const BlockResult result = ReadSRecordImage(image, nullptr, &parsed, message);
    if (result != BLOCK_FOUND) {
        return result;
    }
    uint8_t newBlock[kConfigBlockSize];
    ConfigBlockToBytes(block, newBlock);
    if (!KeptTextUnchanged(parsed, newBlock)) {
        message = kMessageSRecordCorrupted;
        return BLOCK_ERROR;
    }
    std::copy(newBlock, newBlock + kConfigBlockSize,
              parsed.data.begin() + static_cast<std::ptrdiff_t>(parsed.blockOffset));

    // The length is known before anything is built, so a text that would not
    // fit into the reserve costs no memory.
    size_t total = 0;
    for (const SRecordLine& line : parsed.lines) {
        total += WrittenLength(line) + parsed.lineEnd.size();
        if (total > capacity) {
            message = kMessageGrowthReserveExceeded;
            return BLOCK_ERROR;
        }
    }

    std::vector<uint8_t> text(total);
    uint8_t* out = text.data();
    const uint8_t* data = parsed.data.data();
    for (const SRecordLine& line : parsed.lines) {
        if (line.type == '?') {
            out = std::copy(data, data + line.count, out);
            data += line.count;
        } else {
            *out++ = 'S';
            *out++ = static_cast<uint8_t>(line.type);
            const auto count = static_cast<uint8_t>(line.count);
            out = PutHex(out, count);
            unsigned sum = count;
            const int addressBytes = AddressBytes(static_cast<uint8_t>(line.type));
            for (int i = addressBytes - 1; i >= 0; --i) {
                const auto byte = static_cast<uint8_t>(line.address >> (8 * i));
                out = PutHex(out, byte);
                sum += byte;
            }
            const size_t dataLength = DataLength(line);
            for (size_t i = 0; i < dataLength; ++i) {
                out = PutHex(out, data[i]);
                sum += data[i];
            }
            data += dataLength;
            out = PutHex(out, static_cast<uint8_t>(~sum));
        }
        out = std::copy(parsed.lineEnd.begin(), parsed.lineEnd.end(), out);
    }
    patch = PatchBetween(image, text);
    return BLOCK_FOUND;
}

} // namespace zlc

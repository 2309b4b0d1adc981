#include "files/SRecordHandler.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Two hex digits, read as one 16-bit index, decode to their byte; an index
// with a character that is not a hex digit decodes to a value above 0xFF.
const std::array<uint16_t, 65536>& HexPairValues() {
    static const std::array<uint16_t, 65536> table = [] {
        std::array<uint16_t, 65536> values{};
        for (unsigned i = 0; i < 65536; ++i) {
            const uint8_t high = kHexValues[i & 0xFF];
            const uint8_t low = kHexValues[i >> 8];
            values[i] = (high | low) > 0x0F ? 0x100 : static_cast<uint16_t>((high << 4) | low);
        }
        return values;
    }();
    return table;
}

// Decodes `n` digit pairs and adds the bytes to `sum`; false when any of them
// is not a hex digit. The caller has made sure that the digits are there.
bool DecodeHex(const uint8_t* digits, size_t n, uint8_t* out, unsigned& sum) {
    const std::array<uint16_t, 65536>& pairs = HexPairValues();
    unsigned bad = 0;
    for (size_t i = 0; i < n; ++i) {
        uint16_t index;
        std::memcpy(&index, digits + 2 * i, 2); // little-endian: first digit in the low byte
        const uint16_t value = pairs[index];
        bad |= value;
        out[i] = static_cast<uint8_t>(value);
        sum += static_cast<uint8_t>(value);
    }
    return bad <= 0xFF;
}

// Reads one record that starts at "S" and a type of the table. Returns false
// when the record is cut short, holds a character that is not a hex digit, or
// has a byte count too small for its address and checksum: such damage is
// not something a checksum can be trusted to catch.
bool ReadRecord(const uint8_t* text, size_t length, size_t& pos, SRecordLine& line,
                std::vector<uint8_t>& data, bool& checksumOk) {
    const uint8_t type = text[pos + 1];
    const size_t addressBytes = static_cast<size_t>(AddressBytes(type));
    uint8_t count = 0;
    unsigned sum = 0;
    if (length - pos < 4 || !DecodeHex(text + pos + 2, 1, &count, sum) ||
        count < addressBytes + 1) {
        return false;
    }
    // Records without data have nothing between address and checksum; a larger
    // count would leave characters the rewrite cannot place.
    if (!CarriesData(static_cast<char>(type)) && count != addressBytes + 1) {
        return false;
    }
    const uint8_t* digits = text + pos + 4;
    if (length - pos - 4 < 2 * size_t{count}) {
        return false;
    }
    uint8_t address[4];
    const size_t dataLength = count - addressBytes - 1;
    const size_t dataStart = data.size();
    data.resize(dataStart + dataLength);
    uint8_t checksum = 0;
    unsigned ignored = 0;
    if (!DecodeHex(digits, addressBytes, address, sum) ||
        !DecodeHex(digits + 2 * addressBytes, dataLength, data.data() + dataStart, sum) ||
        !DecodeHex(digits + 2 * (count - 1), 1, &checksum, ignored)) {
        return false;
    }
    uint32_t value = 0;
    for (size_t i = 0; i < addressBytes; ++i) {
        value = (value << 8) | address[i];
    }
    checksumOk = checksum == static_cast<uint8_t>(~sum);
    line = {static_cast<char>(type), value, count};
    pos += 4 + 2 * size_t{count};
    return true;
}

constexpr std::array<std::array<uint8_t, 2>, 256> MakeHexPairs() {
    std::array<std::array<uint8_t, 2>, 256> pairs{};
    for (int i = 0; i < 256; ++i) {
        pairs[i] = {static_cast<uint8_t>(kHexDigits[i >> 4]),
                    static_cast<uint8_t>(kHexDigits[i & 0x0F])};
    }
    return pairs;
}

constexpr std::array<std::array<uint8_t, 2>, 256> kHexPairs = MakeHexPairs();

uint8_t* PutHex(uint8_t* out, uint8_t byte) {
    out[0] = kHexPairs[byte][0];
    out[1] = kHexPairs[byte][1];
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

// Whether every byte is printable (0x20 to 0x7E), a tab, CR, LF or NUL.
bool OnlyTextCharacters(std::span<const uint8_t> image) {
    const uint8_t* text = image.data();
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: files of tens of megabytes are checked twice
    // per save.
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i lastPrintable = _mm_set1_epi8(0x7E - 0x20);
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    __m128i bad = zero;
    for (; i + 16 <= image.size(); i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i shifted = _mm_sub_epi8(c, space);
        const __m128i printable = _mm_cmpeq_epi8(_mm_min_epu8(shifted, lastPrintable), shifted);
        const __m128i ok =
            _mm_or_si128(_mm_or_si128(printable, _mm_cmpeq_epi8(c, tab)),
                         _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, cr), _mm_cmpeq_epi8(c, lf)),
                                      _mm_cmpeq_epi8(c, zero)));
        bad = _mm_or_si128(bad, _mm_cmpeq_epi8(ok, zero));
    }
    if (_mm_movemask_epi8(bad) != 0) {
        return false;
    }
#endif
    for (; i < image.size(); ++i) {
        const uint8_t c = text[i];
        if (!(static_cast<uint8_t>(c - 0x20) < 0x5F || c == '\t' || IsLineEnd(c))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool LooksLikeSRecordText(std::span<const uint8_t> image) {
    if (!OnlyTextCharacters(image)) {
        return false;
    }
    const uint8_t* text = image.data();
    // The line count only has to reach three with one data record among them.
    size_t sLines = 0;
    bool dataRecord = false;
    bool atLineStart = true;
    for (size_t i = 0; i < image.size() && (sLines < 3 || !dataRecord); ++i) {
        const uint8_t c = text[i];
        if (atLineStart && c == 'S') {
            ++sLines;
            if (i + 1 < image.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
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

BlockResult SRecordWriteBlock(const BlockForFile& makeBlock, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message) {
    SRecordImage parsed;
    ConfigBlock found{};
    const BlockResult result = ReadSRecordImage(image, &found, &parsed, message);
    if (result != BLOCK_FOUND) {
        return result;
    }
    uint8_t newBlock[kConfigBlockSize];
    ConfigBlockToBytes(makeBlock(found), newBlock);
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

BlockResult SRecordWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message) {
    return SRecordWriteBlock([&block](const ConfigBlock&) { return block; }, image, capacity, patch,
                             message);
}

} // namespace zlc

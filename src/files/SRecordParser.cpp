#include "files/SRecordParser.h"

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

bool IsLineEnd(uint8_t c) {
    return c == '\r' || c == '\n' || c == '\0';
}

bool CarriesData(uint8_t type) {
    return type >= '0' && type <= '3';
}

// Flags that a decoded digit pair carries above its byte.
constexpr uint16_t kNotHexPair = 0x100;
constexpr uint16_t kLowerCasePair = 0x200;

// Two hex digits, read as one 16-bit index, decode to their byte; an index
// with a character that is not a hex digit, or with a lower-case digit, also
// carries the flag that says so.
const std::array<uint16_t, 65536>& HexPairValues() {
    static const std::array<uint16_t, 65536> table = [] {
        std::array<uint16_t, 65536> values{};
        for (unsigned i = 0; i < 65536; ++i) {
            const uint8_t first = static_cast<uint8_t>(i & 0xFF);
            const uint8_t second = static_cast<uint8_t>(i >> 8);
            const uint8_t high = kHexValues[first];
            const uint8_t low = kHexValues[second];
            const bool lower = (first >= 'a' && first <= 'f') || (second >= 'a' && second <= 'f');
            values[i] =
                (high | low) > 0x0F
                    ? kNotHexPair
                    : static_cast<uint16_t>((high << 4) | low | (lower ? kLowerCasePair : 0));
        }
        return values;
    }();
    return table;
}

// Decodes `n` digit pairs and adds the bytes to `sum`; answers the flags of
// all the pairs together. The caller has made sure that the digits are there.
uint16_t DecodeHex(const uint8_t* digits, size_t n, uint8_t* out, unsigned& sum) {
    const std::array<uint16_t, 65536>& pairs = HexPairValues();
    uint16_t flags = 0;
    for (size_t i = 0; i < n; ++i) {
        uint16_t index;
        std::memcpy(&index, digits + 2 * i, 2); // little-endian: first digit in the low byte
        const uint16_t value = pairs[index];
        flags |= value;
        out[i] = static_cast<uint8_t>(value);
        sum += static_cast<uint8_t>(value);
    }
    return flags & (kNotHexPair | kLowerCasePair);
}

// Whether every byte is printable (0x20 to 0x7E), a tab, CR, LF or NUL.
bool OnlyTextCharacters(std::span<const uint8_t> image) {
    const uint8_t* text = image.data();
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: files of tens of megabytes are checked on
    // every load and save.
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

int SRecordAddressBytes(uint8_t type) {
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

// Reads one record that starts at "S" and a type of the table. Returns false
// when the record is cut short, holds a character that is not a hex digit, or
// has a byte count too small for its address and checksum: such damage is
// not something a checksum can be trusted to catch.
bool SRecordParser::ReadRecord(const uint8_t* text, size_t length, size_t& pos) {
    const uint8_t type = text[pos + 1];
    const size_t addressBytes = static_cast<size_t>(SRecordAddressBytes(type));
    uint8_t count = 0;
    unsigned sum = 0;
    uint16_t flags = 0;
    if (length - pos < 4 || ((flags = DecodeHex(text + pos + 2, 1, &count, sum)) & kNotHexPair) ||
        count < addressBytes + 1) {
        return false;
    }
    // Records without data have nothing between address and checksum; a larger
    // count would leave characters the rewrite cannot place.
    if (!CarriesData(type) && count != addressBytes + 1) {
        return false;
    }
    const uint8_t* digits = text + pos + 4;
    if (length - pos - 4 < 2 * size_t{count}) {
        return false;
    }
    uint8_t address[4];
    uint8_t data[255];
    const size_t dataLength = count - addressBytes - 1;
    uint8_t checksum = 0;
    unsigned ignored = 0;
    flags |= DecodeHex(digits, addressBytes, address, sum);
    flags |= DecodeHex(digits + 2 * addressBytes, dataLength, data, sum);
    flags |= DecodeHex(digits + 2 * (count - 1), 1, &checksum, ignored);
    if (flags & kNotHexPair) {
        return false;
    }
    if (flags & kLowerCasePair) {
        writtenAsRead_ = false;
    }
    uint32_t value = 0;
    for (size_t i = 0; i < addressBytes; ++i) {
        value = (value << 8) | address[i];
    }
    if (checksum != static_cast<uint8_t>(~sum)) {
        error_ = kMessageSRecordCorrupted;
    }
    if (type >= '1' && type <= '3') {
        ++dataRecords_;
    }
    if (type == '5' && value != dataRecords_) {
        error_ = kMessageInvalidRecordCount;
    }
    sink_.Record({static_cast<char>(type), value, count}, {data, dataLength}, offset_ + pos);
    pos += 4 + 2 * size_t{count};
    return true;
}

void SRecordParser::StartLine() {
    if (lineSeen_ ? lineEndsAfterLine_ != lineEnd_.size() : lineEndsAfterLine_ != 0) {
        writtenAsRead_ = false;
    }
    lineSeen_ = true;
    lineEndsAfterLine_ = 0;
}

void SRecordParser::LineEndCharacter(uint8_t c) {
    if (lineEndsAfterLine_ >= lineEnd_.size() ||
        static_cast<uint8_t>(lineEnd_[lineEndsAfterLine_]) != c) {
        writtenAsRead_ = false;
    }
    ++lineEndsAfterLine_;
}

size_t SRecordParser::Feed(std::span<const uint8_t> piece, bool last) {
    const uint8_t* text = piece.data();
    const size_t length = piece.size();
    size_t pos = 0;
    while (pos < length && damaged_ == nullptr) {
        if (inKeptLine_) {
            const size_t start = pos;
            while (pos < length && !IsLineEnd(text[pos])) {
                ++pos;
            }
            inKeptLine_ = pos == length && !last;
            sink_.Kept({text + start, pos - start}, !inKeptLine_);
            continue;
        }
        if (inLineEnd_) {
            const size_t start = pos;
            while (pos < length && IsLineEnd(text[pos])) {
                ++pos;
            }
            lineEnd_.append(reinterpret_cast<const char*>(text + start), pos - start);
            lineEndsAfterLine_ += pos - start;
            inLineEnd_ = pos == length && !last;
            lineEndRecorded_ = !inLineEnd_;
            continue;
        }
        const uint8_t c = text[pos];
        if (IsLineEnd(c)) {
            if (lineEndRecorded_) {
                LineEndCharacter(c);
                ++pos;
            } else {
                inLineEnd_ = true;
            }
            continue;
        }
        if (c == 'S') {
            if (length - pos < 2 && !last) {
                break; // the type is in the next piece
            }
            if (pos + 1 < length && SRecordAddressBytes(text[pos + 1]) != 0) {
                // The whole record must be in this piece: its byte count says
                // how long it is, and no record is longer than kLongestSRecord.
                if (!last && length - pos < kLongestSRecord) {
                    uint8_t count = 0;
                    unsigned ignored = 0;
                    if (length - pos < 4 ||
                        ((DecodeHex(text + pos + 2, 1, &count, ignored) & kNotHexPair) == 0 &&
                         length - pos < 4 + 2 * size_t{count})) {
                        break;
                    }
                }
                StartLine();
                if (!ReadRecord(text, length, pos)) {
                    damaged_ = kMessageSRecordCorrupted;
                }
                continue;
            }
        }
        StartLine();
        inKeptLine_ = true;
    }
    if (last && lineEndsAfterLine_ != lineEnd_.size()) {
        writtenAsRead_ = false; // a rewrite ends the last line with the run
    }
    if (damaged_ != nullptr) {
        return length;
    }
    offset_ += pos;
    return pos;
}

bool SRecordRecognizer::Feed(std::span<const uint8_t> text) {
    if (!OnlyTextCharacters(text)) {
        return false;
    }
    // The line count only has to reach three with one data record among them.
    for (size_t i = 0; i < text.size() && !Recognized(); ++i) {
        const uint8_t c = text[i];
        if (afterS_ && c >= '1' && c <= '3') {
            dataRecord_ = true;
        }
        afterS_ = atLineStart_ && c == 'S';
        sLines_ += afterS_ ? 1 : 0;
        atLineStart_ = IsLineEnd(c);
    }
    return true;
}

} // namespace zlc

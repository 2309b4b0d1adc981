#include "files/SRecordHandler.h"

#include "files/FilePieces.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zlc {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool CarriesData(char type) {
    return type >= '0' && type <= '3';
}

int AddressBytes(char type) {
    return SRecordAddressBytes(static_cast<uint8_t>(type));
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
        return line.count - static_cast<size_t>(AddressBytes(line.type)) - 1;
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

// Gathers the text taken apart into an SRecordImage.
class ImageSink : public SRecordSink {
  public:
    explicit ImageSink(SRecordImage& out) : out_(out) {}

    void Record(const SRecordLine& line, std::span<const uint8_t> data) override {
        out_.data.insert(out_.data.end(), data.begin(), data.end());
        out_.lines.push_back(line);
    }
    void Kept(std::span<const uint8_t> text, bool lineDone) override {
        out_.data.insert(out_.data.end(), text.begin(), text.end());
        keptLength_ += text.size();
        if (lineDone) {
            out_.lines.push_back({'?', 0, keptLength_});
            keptLength_ = 0;
        }
    }

  private:
    SRecordImage& out_;
    size_t keptLength_ = 0;
};

// Searches the data of a text for the block as it goes by, holding no more
// of it than a window of fixed size.
class SearchingSink : public SRecordSink {
  public:
    void Record(const SRecordLine&, std::span<const uint8_t> data) override { Add(data); }
    void Kept(std::span<const uint8_t> text, bool) override { Add(text); }

    BlockResult Answer(ConfigBlock* block, uint64_t* offset, std::string& message) {
        Examine();
        return scanner_.Answer(block, offset, message);
    }

  private:
    static constexpr size_t kWindow = 1u << 20;

    void Add(std::span<const uint8_t> bytes) {
        window_.insert(window_.end(), bytes.begin(), bytes.end());
        if (window_.size() >= kWindow) {
            Examine();
            // The starts of the last 67 bytes need bytes that are still to come.
            const size_t keep = kConfigBlockSize - 1;
            windowOffset_ += window_.size() - keep;
            window_.erase(window_.begin(), window_.end() - static_cast<std::ptrdiff_t>(keep));
        }
    }
    void Examine() {
        if (window_.size() >= kConfigBlockSize) {
            scanner_.Examine(window_, windowOffset_, windowOffset_,
                             windowOffset_ + window_.size() - kConfigBlockSize);
        }
    }

    BlockScanner scanner_;
    std::vector<uint8_t> window_;
    uint64_t windowOffset_ = 0;
};

} // namespace

bool LooksLikeSRecordText(std::span<const uint8_t> image) {
    SRecordRecognizer recognizer;
    return recognizer.Feed(image) && recognizer.Recognized();
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
    ImageSink sink(out);
    SRecordParser parser(sink);
    parser.Feed(image, true);
    if (parser.Error() != nullptr) {
        message = parser.Error();
        return BLOCK_ERROR;
    }
    out.lineEnd = parser.LineEnd();
    return LocateConfigBlock(out.data, block, &out.blockOffset, message);
}

BlockResult ParseSRecordFile(const platform::File& file, uint64_t size, SRecordSink& sink,
                             std::string* lineEnd, std::string& message, size_t pieceSize) {
    message = kMessageNoConfigData;
    SRecordRecognizer recognizer;
    SRecordParser parser(sink);
    // A piece and what the parser left of the one before: never more than one
    // record.
    std::vector<uint8_t> buffer(pieceSize + kLongestSRecord);
    size_t carried = 0;
    for (uint64_t offset = 0; offset < size;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(pieceSize, size - offset));
        int error = 0;
        if (!file.ReadAt(offset, {buffer.data() + carried, n}, error)) {
            message = platform::SystemErrorText(error);
            return BLOCK_ERROR;
        }
        if (!recognizer.Feed({buffer.data() + carried, n})) {
            return BLOCK_ABSENT;
        }
        offset += n;
        if (parser.Damaged()) {
            continue; // only whether this is S-record text at all is still open
        }
        const size_t used = parser.Feed({buffer.data(), carried + n}, offset == size);
        carried = carried + n - used;
        std::memmove(buffer.data(), buffer.data() + used, carried);
    }
    if (!recognizer.Recognized()) {
        return BLOCK_ABSENT;
    }
    if (parser.Error() != nullptr) {
        message = parser.Error();
        return BLOCK_ERROR;
    }
    if (lineEnd != nullptr) {
        *lineEnd = parser.LineEnd();
    }
    return BLOCK_FOUND;
}

BlockResult LocateSRecordBlockInFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                                     uint64_t* dataOffset, std::string& message, size_t pieceSize) {
    SearchingSink sink;
    const BlockResult parsed = ParseSRecordFile(file, size, sink, nullptr, message, pieceSize);
    if (parsed != BLOCK_FOUND) {
        return parsed;
    }
    return sink.Answer(block, dataOffset, message);
}

BlockResult SRecordReadFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                            std::string& message) {
    return LocateSRecordBlockInFile(file, size, block, nullptr, message, kFilePieceSize);
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
            const int addressBytes = AddressBytes(line.type);
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

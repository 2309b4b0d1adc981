#include "files/SRecordHandler.h"

#include "files/FilePieces.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <new>
#include <thread>

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

// Writes a line as the text of a record with a fresh checksum, or a kept
// line's characters as they are; the line end is the caller's.
uint8_t* PutLine(uint8_t* out, const SRecordLine& line, const uint8_t* data) {
    if (line.type == '?') {
        return std::copy(data, data + line.count, out);
    }
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
    const size_t dataLength =
        static_cast<size_t>(line.count) - static_cast<size_t>(addressBytes) - 1;
    for (size_t i = 0; CarriesData(line.type) && i < dataLength; ++i) {
        out = PutHex(out, data[i]);
        sum += data[i];
    }
    return PutHex(out, static_cast<uint8_t>(~sum));
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

    void Record(const SRecordLine& line, std::span<const uint8_t> data, uint64_t) override {
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
// of it than a window of fixed size. On the way it notes how long the text
// would be written again, and a record start every so often, so that the
// records around the block can be read again without the rest.
class SearchingSink : public SRecordSink {
  public:
    explicit SearchingSink(uint64_t checkpointSpacing) : checkpointSpacing_(checkpointSpacing) {}

    void Record(const SRecordLine& line, std::span<const uint8_t> data, uint64_t at) override {
        if (checkpoints_.empty() || at - checkpoints_.back().textAt >= checkpointSpacing_) {
            checkpoints_.push_back({at, windowOffset_ + window_.size(), written_, lines_});
        }
        ++lines_;
        written_ += WrittenLength(line);
        Add(data);
    }
    void Kept(std::span<const uint8_t> text, bool lineDone) override {
        lines_ += lineDone ? 1 : 0;
        written_ += text.size();
        Add(text);
    }

    BlockResult Answer(ConfigBlock* block, uint64_t* offset, std::string& message) {
        Examine();
        return scanner_.Answer(block, offset, message);
    }
    // The length of the text written again, every line ended by `lineEnd`.
    uint64_t RewrittenLength(const std::string& lineEnd) const {
        return written_ + lines_ * lineEnd.size();
    }
    // The last record start at or before the data offset `dataAt`; the start
    // of the text when there is none. Lines are ended by `lineEnd` in the
    // text written again.
    SRecordCheckpoint CheckpointBefore(uint64_t dataAt, const std::string& lineEnd) const {
        return LastAtOrBefore(&Checkpoint::dataAt, dataAt, lineEnd);
    }
    // The same for the text offset `textAt`.
    SRecordCheckpoint CheckpointAtText(uint64_t textAt, const std::string& lineEnd) const {
        return LastAtOrBefore(&Checkpoint::textAt, textAt, lineEnd);
    }

  private:
    static constexpr size_t kWindow = 1u << 20;

    // The line and character counts go with the record start, as the length
    // of a line end is known only once the first line has gone by.
    struct Checkpoint {
        uint64_t textAt;
        uint64_t dataAt;
        uint64_t written;
        uint64_t lines;

        SRecordCheckpoint Written(const std::string& lineEnd) const {
            return {textAt, dataAt, written + lines * lineEnd.size()};
        }
    };

    SRecordCheckpoint LastAtOrBefore(uint64_t Checkpoint::*offset, uint64_t at,
                                     const std::string& lineEnd) const {
        const auto after = std::upper_bound(
            checkpoints_.begin(), checkpoints_.end(), at,
            [offset](uint64_t value, const Checkpoint& c) { return value < c.*offset; });
        return after == checkpoints_.begin() ? SRecordCheckpoint{} : (after - 1)->Written(lineEnd);
    }

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
    uint64_t checkpointSpacing_;
    std::vector<Checkpoint> checkpoints_;
    uint64_t lines_ = 0;
    uint64_t written_ = 0; // line ends left out
};

// Writes the text again as it is read a second time: every record with a
// fresh checksum and the new block in place of the old, in pieces handed to
// `emit`. The reading may begin at a record start whose first data byte is
// `dataStart`.
class RegeneratingSink : public SRecordSink {
  public:
    RegeneratingSink(const std::string& lineEnd, uint64_t blockOffset, const uint8_t* newBlock,
                     const ImagePatch::Emit& emit, const SRecordCheckpoint& start)
        : lineEnd_(lineEnd), blockOffset_(blockOffset), newBlock_(newBlock), emit_(emit),
          dataPos_(start.dataAt), emittedTo_(start.rewrittenAt),
          buffer_(kBuffer + kLongestSRecord + lineEnd.size()) {}

    void Record(const SRecordLine& line, std::span<const uint8_t> data, uint64_t) override {
        uint8_t bytes[255];
        std::copy(data.begin(), data.end(), bytes);
        for (size_t i = 0; i < data.size(); ++i) {
            if (InBlock(dataPos_ + i)) {
                oldBlock_[dataPos_ + i - blockOffset_] = bytes[i];
                bytes[i] = newBlock_[dataPos_ + i - blockOffset_];
            }
        }
        dataPos_ += data.size();
        uint8_t* end = PutLine(buffer_.data() + used_, line, bytes);
        end = std::copy(lineEnd_.begin(), lineEnd_.end(), end);
        used_ = static_cast<size_t>(end - buffer_.data());
        FlushIfFull();
    }
    // Kept text is carried as it is, so the block must not change there.
    void Kept(std::span<const uint8_t> text, bool lineDone) override {
        for (size_t i = 0; i < text.size(); ++i) {
            if (InBlock(dataPos_ + i)) {
                oldBlock_[dataPos_ + i - blockOffset_] = text[i];
                keptTextChanges_ =
                    keptTextChanges_ || text[i] != newBlock_[dataPos_ + i - blockOffset_];
            }
        }
        dataPos_ += text.size();
        // A kept line comes in pieces of any length, so it may outgrow the
        // room kept for one record.
        const size_t needed = used_ + text.size() + lineEnd_.size();
        if (needed > buffer_.size()) {
            buffer_.resize(needed);
        }
        uint8_t* end = std::copy(text.begin(), text.end(), buffer_.data() + used_);
        if (lineDone) {
            end = std::copy(lineEnd_.begin(), lineEnd_.end(), end);
        }
        used_ = static_cast<size_t>(end - buffer_.data());
        FlushIfFull();
    }

    // False when `emit` refused a piece.
    bool Finish() {
        Flush();
        return !refused_;
    }
    bool KeptTextChanges() const { return keptTextChanges_; }
    bool PastBlock() const { return dataPos_ >= blockOffset_ + kConfigBlockSize; }
    // The bytes that the block replaced, once PastBlock().
    const std::array<uint8_t, kConfigBlockSize>& OldBlock() const { return oldBlock_; }

  private:
    static constexpr size_t kBuffer = 1u << 20;

    bool InBlock(uint64_t position) const {
        return position >= blockOffset_ && position - blockOffset_ < kConfigBlockSize;
    }
    void FlushIfFull() {
        if (used_ >= kBuffer) {
            Flush();
        }
    }
    void Flush() {
        if (!refused_ && used_ > 0 && !emit_(emittedTo_, {buffer_.data(), used_})) {
            refused_ = true;
        }
        emittedTo_ += used_;
        used_ = 0;
    }

    const std::string& lineEnd_;
    uint64_t blockOffset_;
    const uint8_t* newBlock_;
    const ImagePatch::Emit& emit_;
    uint64_t dataPos_;
    uint64_t emittedTo_;
    // The text made and not yet emitted: the first used_ bytes. Room for a
    // record always follows them, so writing one needs no check.
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
    std::array<uint8_t, kConfigBlockSize> oldBlock_{};
    bool keptTextChanges_ = false;
    bool refused_ = false;
};

// Compares a new text, piece by piece, with the file's from `start` on and
// keeps the one stretch in which they differ, as long as it stays short.
class PatchCollector {
  public:
    PatchCollector(const platform::File& file, uint64_t size, uint64_t start)
        : file_(file), size_(size), length_(start) {}

    bool Add(std::span<const uint8_t> piece) {
        const uint64_t at = length_;
        length_ += piece.size();
        if (!patchable_) {
            return true;
        }
        const size_t common =
            static_cast<size_t>(std::min<uint64_t>(piece.size(), size_ > at ? size_ - at : 0));
        original_.resize(common);
        if (!file_.ReadAt(at, original_, error_)) {
            return false;
        }
        size_t first = 0;
        while (first < common && piece[first] == original_[first]) {
            ++first;
        }
        if (first == piece.size()) {
            return true;
        }
        size_t last = piece.size();
        if (last <= common) {
            while (piece[last - 1] == original_[last - 1]) {
                --last;
            }
        }
        return Extend(at + first, piece.subspan(first, last - first));
    }

    int Error() const { return error_; }
    // Whether the stretch compared differs from the file's in one short run.
    bool Patchable() const { return patchable_; }
    void Take(ImagePatch& patch) {
        patch.offset = static_cast<size_t>(start_);
        patch.bytes = std::move(bytes_);
    }

  private:
    // More than this is written whole rather than patched.
    static constexpr size_t kMostPatchBytes = 4u << 20;

    bool Extend(uint64_t from, std::span<const uint8_t> changed) {
        if (bytes_.empty()) {
            start_ = from;
        }
        const uint64_t gapFrom = start_ + bytes_.size();
        if (from - start_ + changed.size() > kMostPatchBytes) {
            patchable_ = false;
            bytes_.clear();
            return true;
        }
        // The unchanged bytes between two changes are the file's own.
        const size_t gap = static_cast<size_t>(from - gapFrom);
        bytes_.resize(bytes_.size() + gap);
        if (gap > 0 && !file_.ReadAt(gapFrom, {bytes_.data() + bytes_.size() - gap, gap}, error_)) {
            return false;
        }
        bytes_.insert(bytes_.end(), changed.begin(), changed.end());
        return true;
    }

    const platform::File& file_;
    uint64_t size_;
    uint64_t length_;
    bool patchable_ = true;
    uint64_t start_ = 0;
    std::vector<uint8_t> bytes_;
    std::vector<uint8_t> original_;
    int error_ = 0;
};

// Feeds [begin, size) of the file to `parser` a piece at a time, each piece
// first to `recognizer` when there is one. Stops early once `done` answers
// true. BLOCK_ABSENT when the recognizer rules the text out, BLOCK_ERROR
// with the message when the file cannot be read.
BlockResult FeedFile(const platform::File& file, uint64_t begin, uint64_t size,
                     SRecordParser& parser, SRecordRecognizer* recognizer,
                     const std::function<bool()>& done, size_t pieceSize, std::string& message) {
    // A piece and what the parser left of the one before: never more than one
    // record.
    std::vector<uint8_t> buffer(pieceSize + kLongestSRecord);
    size_t carried = 0;
    for (uint64_t offset = begin; offset < size && !(done && done());) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(pieceSize, size - offset));
        int error = 0;
        if (!file.ReadAt(offset, {buffer.data() + carried, n}, error)) {
            message = platform::SystemErrorText(error);
            return BLOCK_ERROR;
        }
        if (recognizer != nullptr && !recognizer->Feed({buffer.data() + carried, n})) {
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
    return BLOCK_FOUND;
}

// Runs the text of the file from the record start `from` on through a
// RegeneratingSink, to `end` (the end of the text or another record start)
// or, with `untilBlockEnd`, until the records that hold the block have gone
// by. `oldBlock` (optional) receives the bytes the block replaced.
BlockResult Regenerate(const platform::File& file, uint64_t end, size_t pieceSize,
                       const std::string& lineEnd, uint64_t blockOffset, const uint8_t* newBlock,
                       const ImagePatch::Emit& emit, std::string& message,
                       SRecordCheckpoint from = {}, bool untilBlockEnd = false,
                       std::array<uint8_t, kConfigBlockSize>* oldBlock = nullptr) {
    RegeneratingSink sink(lineEnd, blockOffset, newBlock, emit, from);
    SRecordParser parser(sink, from.textAt);
    const BlockResult fed =
        FeedFile(file, from.textAt, end, parser, nullptr,
                 untilBlockEnd ? std::function<bool()>([&sink] { return sink.PastBlock(); })
                               : std::function<bool()>(),
                 pieceSize, message);
    if (fed != BLOCK_FOUND) {
        return fed;
    }
    if (parser.Damaged()) {
        message = kMessageSRecordCorrupted; // the file changed since it was read
        return BLOCK_ERROR;
    }
    if (!sink.Finish()) {
        message.clear(); // the emitter's own failure
        return BLOCK_ERROR;
    }
    if (sink.KeptTextChanges()) {
        message = kMessageSRecordCorrupted;
        return BLOCK_ERROR;
    }
    if (oldBlock != nullptr) {
        *oldBlock = sink.OldBlock();
    }
    return BLOCK_FOUND;
}

// A text longer than this many pieces is written again in two halves at once.
constexpr uint64_t kPiecesToSplit = 32;

// Record starts are noted this far apart, and closer in a text read in small
// pieces, so that a short text is split too.
uint64_t CheckpointSpacing(size_t pieceSize) {
    return std::min<uint64_t>(64u << 10, 4 * uint64_t{pieceSize});
}

// Writes the whole text again, the half from `split` on (when there is a
// split) on a thread of its own.
bool RegenerateWhole(const platform::File& file, uint64_t size, size_t pieceSize,
                     const std::string& lineEnd, uint64_t blockOffset, const uint8_t* newBlock,
                     const SRecordCheckpoint& split, const ImagePatch::Emit& emit) {
    const auto half = [&](const SRecordCheckpoint& from, uint64_t end) {
        try {
            std::string ignored;
            return Regenerate(file, end, pieceSize, lineEnd, blockOffset, newBlock, emit, ignored,
                              from) == BLOCK_FOUND;
        } catch (const std::bad_alloc&) {
            return false;
        }
    };
    if (split.textAt == 0) {
        return half({}, size);
    }
    bool secondDone = false;
    std::thread second([&] { secondDone = half(split, size); });
    const bool firstDone = half({}, split.textAt);
    second.join();
    return firstDone && secondDone;
}

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
                             SRecordTextFacts* facts, std::string& message, size_t pieceSize) {
    message = kMessageNoConfigData;
    SRecordRecognizer recognizer;
    SRecordParser parser(sink);
    const BlockResult fed = FeedFile(file, 0, size, parser, &recognizer, {}, pieceSize, message);
    if (fed != BLOCK_FOUND) {
        return fed;
    }
    if (!recognizer.Recognized()) {
        return BLOCK_ABSENT;
    }
    if (parser.Error() != nullptr) {
        message = parser.Error();
        return BLOCK_ERROR;
    }
    if (facts != nullptr) {
        facts->lineEnd = parser.LineEnd();
        facts->writtenAsRead = parser.WrittenAsRead();
    }
    return BLOCK_FOUND;
}

BlockResult LocateSRecordBlockInFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                                     uint64_t* dataOffset, std::string& message, size_t pieceSize,
                                     FileLayout* layout) {
    SearchingSink sink(CheckpointSpacing(pieceSize));
    SRecordTextFacts facts;
    BlockResult result = ParseSRecordFile(file, size, sink, &facts, message, pieceSize);
    if (result != BLOCK_FOUND) {
        return result;
    }
    ConfigBlock found{};
    uint64_t offset = 0;
    result = sink.Answer(&found, &offset, message);
    if (block != nullptr) {
        *block = found;
    }
    if (dataOffset != nullptr) {
        *dataOffset = offset;
    }
    if (result == BLOCK_FOUND && layout != nullptr) {
        layout->kind = FileLayout::Kind::SRecord;
        layout->found = found;
        layout->blockOffset = offset;
        layout->checkpoint = sink.CheckpointBefore(offset, facts.lineEnd);
        layout->split = size > kPiecesToSplit * pieceSize
                            ? sink.CheckpointAtText(size / 2, facts.lineEnd)
                            : SRecordCheckpoint{};
        layout->lineEnd = facts.lineEnd;
        layout->writtenAsRead = facts.writtenAsRead;
        layout->rewrittenLength = sink.RewrittenLength(facts.lineEnd);
    }
    return result;
}

BlockResult SRecordReadFile(const platform::File& file, uint64_t size, ConfigBlock* block,
                            std::string& message, FileLayout* layout) {
    return LocateSRecordBlockInFile(file, size, block, nullptr, message, kFilePieceSize, layout);
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
        out = PutLine(out, line, data);
        data += DataLength(line);
        out = std::copy(parsed.lineEnd.begin(), parsed.lineEnd.end(), out);
    }
    patch = PatchBetween(image, text);
    return BLOCK_FOUND;
}

BlockResult SRecordPlanFileSave(const BlockForFile& makeBlock, const platform::File& file,
                                uint64_t size, uint64_t capacity, ImagePatch& patch,
                                std::string& message, size_t pieceSize) {
    FileLayout layout;
    const BlockResult found =
        LocateSRecordBlockInFile(file, size, nullptr, nullptr, message, pieceSize, &layout);
    if (found != BLOCK_FOUND) {
        return found;
    }
    const BlockResult planned =
        SRecordPlanFromLayout(makeBlock, file, size, capacity, layout, patch, message, pieceSize);
    if (planned == BLOCK_ABSENT) {
        message = kMessageSRecordCorrupted; // the file changed since it was read
        return BLOCK_ERROR;
    }
    return planned;
}

BlockResult SRecordPlanFromLayout(const BlockForFile& makeBlock, const platform::File& file,
                                  uint64_t size, uint64_t capacity, const FileLayout& layout,
                                  ImagePatch& patch, std::string& message, size_t pieceSize) {
    std::array<uint8_t, kConfigBlockSize> newBlock{};
    ConfigBlockToBytes(makeBlock(layout.found), newBlock.data());

    // Only the records that hold the block are read again: where the rest of
    // the text would be written as it stands, they are all that changes.
    PatchCollector collector(file, size, layout.checkpoint.textAt);
    std::array<uint8_t, kConfigBlockSize> oldBlock{};
    BlockResult result = Regenerate(
        file, size, pieceSize, layout.lineEnd, layout.blockOffset, newBlock.data(),
        [&collector](uint64_t, std::span<const uint8_t> piece) { return collector.Add(piece); },
        message, layout.checkpoint, true, &oldBlock);
    if (result == BLOCK_ERROR && message.empty()) {
        message = platform::SystemErrorText(collector.Error());
    }
    if (result != BLOCK_FOUND) {
        return result;
    }
    std::array<uint8_t, kConfigBlockSize> foundBytes{};
    ConfigBlockToBytes(layout.found, foundBytes.data());
    if (oldBlock != foundBytes) {
        message = kMessageNoConfigData;
        return BLOCK_ABSENT;
    }
    if (layout.rewrittenLength > capacity) {
        message = kMessageGrowthReserveExceeded;
        return BLOCK_ERROR;
    }
    patch = ImagePatch{};
    patch.length = static_cast<size_t>(layout.rewrittenLength);
    if (layout.writtenAsRead && layout.rewrittenLength == size && collector.Patchable()) {
        collector.Take(patch);
        return BLOCK_FOUND;
    }
    // The whole text changes: it is made again as it is written.
    patch.rewrite = [&file, size, pieceSize, lineEnd = layout.lineEnd,
                     blockOffset = layout.blockOffset, split = layout.split,
                     newBlock](const ImagePatch::Emit& emit) {
        return RegenerateWhole(file, size, pieceSize, lineEnd, blockOffset, newBlock.data(), split,
                               emit);
    };
    return BLOCK_FOUND;
}

BlockResult SRecordWriteBlock(const ConfigBlock& block, std::span<const uint8_t> image,
                              size_t capacity, ImagePatch& patch, std::string& message) {
    return SRecordWriteBlock([&block](const ConfigBlock&) { return block; }, image, capacity, patch,
                             message);
}

} // namespace zlc

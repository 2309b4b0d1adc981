#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zlc {

inline constexpr const char* kMessageSRecordCorrupted =
    "This S-Record file contains corrupted information.";
inline constexpr const char* kMessageInvalidRecordCount =
    "The file contains an invalid record count.";

// The longest record: "S", type, then 255 bytes of count, address, data and
// checksum as two digits each.
inline constexpr size_t kLongestSRecord = 4 + 2 * 255;

// Address bytes of the record types that are read and rewritten; 0 for a type
// that is carried through as a kept line.
int SRecordAddressBytes(uint8_t type);

// One line of S-record text as read: an S0-S3, S5 or S7-S9 record, or a kept
// line ('?') that is carried through as text.
struct SRecordLine {
    char type; // '0'..'9', or '?' for a kept line
    uint32_t address;
    size_t count; // the record's byte count, or a kept line's length in characters
};

// What a parse hands on, in file order.
class SRecordSink {
  public:
    virtual ~SRecordSink() = default;
    // A record of a known type with the data bytes it carries (none for S5
    // to S9); `at` is the offset of its "S" in the text.
    virtual void Record(const SRecordLine& line, std::span<const uint8_t> data, uint64_t at) = 0;
    // Characters of a kept line; a long line may come in several parts, and
    // `lineDone` is set on its last.
    virtual void Kept(std::span<const uint8_t> text, bool lineDone) = 0;
};

// Takes S-record text apart a piece at a time, so that a text of any length
// is read with a bounded buffer.
class SRecordParser {
  public:
    // `start` is the offset in the text of the first piece, for the offsets
    // handed to the sink.
    explicit SRecordParser(SRecordSink& sink, uint64_t start = 0) : sink_(sink), offset_(start) {}

    // Parses `text`, the continuation of what came before; `last` marks the
    // end of the text. Returns how many bytes were used: a record cut by the
    // end of a piece that is not the last is left for the next piece, which
    // must begin with the unused bytes.
    size_t Feed(std::span<const uint8_t> text, bool last);

    // After the last piece: the message of the last checksum or count error,
    // or of damage no checksum can catch (which ends the parse at once);
    // nullptr when the text was sound.
    const char* Error() const { return damaged_ != nullptr ? damaged_ : error_; }
    bool Damaged() const { return damaged_ != nullptr; }
    // The first run of CR, LF and NUL characters, repeated after every record
    // when the text is written again.
    const std::string& LineEnd() const { return lineEnd_; }
    // After the last piece: whether writing the text again would give it
    // back unchanged, byte for byte: digits in upper case, no line end before
    // the first line, and every line followed by exactly the first run of
    // line ends. (Checksums are checked apart.)
    bool WrittenAsRead() const { return writtenAsRead_; }

  private:
    bool ReadRecord(const uint8_t* text, size_t length, size_t& pos);
    // Notes a line that starts, and whether the line ends before it were the
    // first run.
    void StartLine();
    void LineEndCharacter(uint8_t c);

    SRecordSink& sink_;
    uint64_t offset_; // of the current piece in the text
    std::string lineEnd_;
    bool lineEndRecorded_ = false;
    bool inLineEnd_ = false;  // inside the first run of line ends
    bool inKeptLine_ = false; // inside a kept line
    size_t dataRecords_ = 0;
    const char* error_ = nullptr;
    const char* damaged_ = nullptr;
    bool writtenAsRead_ = true;
    bool lineSeen_ = false;
    size_t lineEndsAfterLine_ = 0; // line ends since the last line
};

// Whether text is S-record text at all: printable characters, tabs and line
// ends only, at least three lines starting with 'S', one of them S1, S2 or
// S3. Takes the text a piece at a time.
class SRecordRecognizer {
  public:
    // False as soon as a byte rules the text out.
    bool Feed(std::span<const uint8_t> text);
    bool Recognized() const { return sLines_ >= 3 && dataRecord_; }

  private:
    size_t sLines_ = 0;
    bool dataRecord_ = false;
    bool atLineStart_ = true;
    bool afterS_ = false; // the previous byte was an 'S' at a line start
};

} // namespace zlc

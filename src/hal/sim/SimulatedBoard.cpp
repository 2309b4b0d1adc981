#include "hal/sim/SimulatedBoard.h"

#include "base/ByteOrder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlc::sim {

namespace {

constexpr size_t kMagicLength = sizeof kBoardMagic;
constexpr size_t kVersionOffset = kHeaderOffset + 0x10;

// A board image mapped from its file; the mapping ends with the window.
class MappedBoard final : public SimulatedBoard {
  public:
    MappedBoard(uint8_t* mapping) : SimulatedBoard({mapping, kBoardFileSize}), mapping_(mapping) {}
    ~MappedBoard() override { munmap(mapping_, kBoardFileSize); }
    MappedBoard(const MappedBoard&) = delete;
    MappedBoard& operator=(const MappedBoard&) = delete;

  private:
    uint8_t* mapping_;
};

} // namespace

void FormatBoardImage(std::span<uint8_t> image) {
    std::memset(image.data(), 0, image.size());
    std::memcpy(image.data() + kHeaderOffset, kBoardMagic, kMagicLength);
    WriteLE32(image.data() + kVersionOffset, kBoardVersion);
    image[kRegisterOffset + REG_REVISION_CODE] = kRevisionCode;
}

bool IsBoardImage(std::span<const uint8_t> image, std::string& message) {
    if (image.size() != kBoardFileSize ||
        std::memcmp(image.data() + kHeaderOffset, kBoardMagic, kMagicLength) != 0) {
        message = "not a simulated board file";
        return false;
    }
    if (ReadLE32(image.data() + kVersionOffset) != kBoardVersion) {
        message = "board file of an unknown version";
        return false;
    }
    return true;
}

uint8_t SimulatedBoard::ReadRegister(unsigned index) {
    switch (index) {
    case REG_REVISION_CODE:
        return kRevisionCode;
    case REG_LUT_ADDR:
        return image_[kLutIndexOffset];
    case REG_LUT_DATA: {
        const uint8_t value =
            image_[kLutOffset + image_[kLutIndexOffset] * 3 + image_[kLutComponentOffset] % 3];
        StepLutPort();
        return value;
    }
    default:
        return image_[kRegisterOffset + index];
    }
}

void SimulatedBoard::WriteRegister(unsigned index, uint8_t value) {
    switch (index) {
    case REG_REVISION_CODE:
        return;
    case REG_LUT_ADDR:
        image_[kLutIndexOffset] = value;
        image_[kLutComponentOffset] = 0;
        break;
    case REG_LUT_DATA:
        image_[kLutOffset + image_[kLutIndexOffset] * 3 + image_[kLutComponentOffset] % 3] = value;
        StepLutPort();
        break;
    default:
        break;
    }
    image_[kRegisterOffset + index] = value;
}

void SimulatedBoard::StepLutPort() {
    uint8_t& component = image_[kLutComponentOffset];
    if (++component >= 3) {
        component = 0;
        ++image_[kLutIndexOffset]; // wraps from 255 to 0 as the 8-bit port does
    }
}

std::unique_ptr<hal::ChipWindow> OpenBoardFile(const std::string& path, std::string& message,
                                               bool ownFileOnly) {
    const int noFollow = ownFileOnly ? O_NOFOLLOW : 0;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | noFollow, 0644);
    if (fd < 0) {
        message = path + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    const bool examined = fstat(fd, &info) == 0;
    if (examined && ownFileOnly && info.st_uid != geteuid()) {
        message = path + ": the board file belongs to another user";
        close(fd);
        return nullptr;
    }
    if (!examined || !S_ISREG(info.st_mode) ||
        (info.st_size != 0 && info.st_size != static_cast<off_t>(kBoardFileSize))) {
        message = path + ": not a simulated board file";
        close(fd);
        return nullptr;
    }
    const bool fresh = info.st_size == 0;
    if (fresh && ftruncate(fd, kBoardFileSize) != 0) {
        message = path + ": " + std::strerror(errno);
        close(fd);
        return nullptr;
    }
    void* mapping = mmap(nullptr, kBoardFileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (mapping == MAP_FAILED) {
        message = path + ": " + std::strerror(errno);
        return nullptr;
    }
    auto board = std::make_unique<MappedBoard>(static_cast<uint8_t*>(mapping));
    std::span<uint8_t> image{static_cast<uint8_t*>(mapping), kBoardFileSize};
    if (fresh) {
        FormatBoardImage(image);
    } else if (!IsBoardImage(image, message)) {
        message = path + ": " + message;
        return nullptr;
    }
    return board;
}

} // namespace zlc::sim

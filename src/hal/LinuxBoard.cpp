#include "hal/LinuxBoard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlc::hal {

namespace {

// The chip seen through a mapping of the device. Registers are touched with
// volatile single-byte accesses, as the chip expects.
class MappedChip final : public ChipWindow {
  public:
    MappedChip(void* mapping, size_t mappingLength, size_t baseOffset)
        : mapping_(mapping), length_(mappingLength),
          base_(static_cast<uint8_t*>(mapping) + baseOffset) {}
    ~MappedChip() override { munmap(mapping_, length_); }
    MappedChip(const MappedChip&) = delete;
    MappedChip& operator=(const MappedChip&) = delete;

    uint8_t* Memory() override { return base_; }
    uint8_t ReadRegister(unsigned index) override {
        return *reinterpret_cast<volatile uint8_t*>(base_ + kRegisterOffset + index);
    }
    void WriteRegister(unsigned index, uint8_t value) override {
        *reinterpret_cast<volatile uint8_t*>(base_ + kRegisterOffset + index) = value;
    }

  private:
    void* mapping_;
    size_t length_;
    uint8_t* base_;
};

} // namespace

MapResult MapLinuxBoard(const std::string& deviceDir, uint32_t physMemAddr, int boardIndex) {
    MapResult result;
    std::string path = deviceDir;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    off_t offset = 0;
    size_t length = kChipWindowSize;
    if (physMemAddr != 0) {
        path += "mem";
        offset = static_cast<off_t>(physMemAddr);
        length = kPhysicalWindowSize;
    } else {
        path += "uio" + std::to_string(boardIndex);
    }

    const int fd = open(path.c_str(), O_RDWR | O_SYNC | O_CLOEXEC);
    if (fd < 0) {
        result.code = HAL_DRIVER_NOT_FOUND;
        return result;
    }
    result.code = HAL_IOCTL_ERROR;
    struct stat info {};
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ||
        (S_ISREG(info.st_mode) && info.st_size < offset + static_cast<off_t>(length))) {
        // A file standing in for the device that does not hold the whole
        // window would fault on the first access beyond its end.
        close(fd);
        return result;
    }
    const long pageSize = sysconf(_SC_PAGESIZE);
    const off_t alignedOffset = offset - offset % pageSize;
    const size_t lead = static_cast<size_t>(offset - alignedOffset);
    void* mapping =
        mmap(nullptr, length + lead, PROT_READ | PROT_WRITE, MAP_SHARED, fd, alignedOffset);
    close(fd);
    if (mapping == MAP_FAILED) {
        return result;
    }
    result.code = HAL_OK;
    result.window = std::make_unique<MappedChip>(mapping, length + lead, lead);
    return result;
}

} // namespace zlc::hal

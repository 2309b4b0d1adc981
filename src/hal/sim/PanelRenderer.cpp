#include "hal/sim/PanelRenderer.h"

#include "hal/sim/SimulatedBoard.h"
#include "platform/FileWriter.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <png.h>

namespace zlc::sim {

namespace {

uint8_t Widen(uint8_t level) {
    return static_cast<uint8_t>((level >> 4) * 0x11);
}

} // namespace

PanelGeometry DescribePanel(std::span<const uint8_t> board) {
    return DescribeRegisters(board.data() + kRegisterOffset);
}

PanelGeometry DescribeRegisters(const uint8_t* regs) {
    PanelGeometry geometry;
    geometry.bitsPerPixel = 1 << (regs[REG_MODE_REGISTER_1] >> 6);
    geometry.pivotScan = (regs[REG_PORTRAIT_MODE] & 0x80) != 0;
    geometry.color = (regs[REG_MODE_REGISTER_0] & 0x20) != 0;
    // Only the bits the chip has take part: up to 1024 pixels either way.
    const int panelWidth = ((regs[REG_HORZ_PANEL_SIZE] & 0x7F) + 1) * 8;
    const int panelHeight =
        (regs[REG_VERT_PANEL_SIZE_MSB] & 0x03) * 256 + regs[REG_VERT_PANEL_SIZE_LSB] + 1;
    geometry.width = geometry.pivotScan ? panelHeight : panelWidth;
    geometry.height = geometry.pivotScan ? panelWidth : panelHeight;
    return geometry;
}

bool RenderPanel(std::span<const uint8_t> board, PanelImage& image, std::string& message) {
    if (!IsBoardImage(board, message)) {
        return false;
    }
    const PanelGeometry geometry = DescribePanel(board);
    const uint8_t* regs = board.data() + kRegisterOffset;
    const uint8_t* memory = board.data();
    const uint8_t* lut = board.data() + kLutOffset;
    const int bpp = geometry.bitsPerPixel;
    const long perByte = 8 / bpp;
    const unsigned mask = (1u << bpp) - 1;

    long origin = 0;
    long stride = 0;
    if (!geometry.pivotScan) {
        // Landscape: the start address counts 16-bit words; REG[11h] adds
        // words to every line.
        origin = 2L * (regs[REG_SCRN1_START_ADDR_LSB] | regs[REG_SCRN1_START_ADDR_MSB] << 8);
        stride = static_cast<long>(geometry.width) * bpp / 8 + 2L * regs[REG_MEM_ADDR_OFFSET];
    } else {
        // PivotScan: a byte address with a 17th bit, pointing at the last byte
        // of the first line; lines are REG[1Ch] bytes apart (0 for 256).
        const long start = regs[REG_SCRN1_START_ADDR_LSB] | regs[REG_SCRN1_START_ADDR_MSB] << 8 |
                           (regs[REG_SCRN_START_ADDR_OVERFLOW] & 0x01) << 16;
        origin = start - (static_cast<long>(geometry.width) * bpp / 8 - 1);
        stride = regs[REG_LINE_BYTE_COUNT] != 0 ? regs[REG_LINE_BYTE_COUNT] : 256;
    }

    image.width = geometry.width;
    image.height = geometry.height;
    image.rgb.assign(static_cast<size_t>(image.width) * image.height * 3, 0);
    uint8_t* out = image.rgb.data();
    for (long y = 0; y < image.height; ++y) {
        for (long x = 0; x < image.width; ++x, out += 3) {
            const long address = origin + y * stride + x / perByte;
            if (address < 0 || address >= static_cast<long>(kMemorySize)) {
                continue;
            }
            const int shift = static_cast<int>((perByte - 1 - x % perByte) * bpp);
            const unsigned index = (memory[address] >> shift) & mask;
            const uint8_t* entry = lut + index * 3;
            if (geometry.color) {
                out[0] = Widen(entry[0]);
                out[1] = Widen(entry[1]);
                out[2] = Widen(entry[2]);
            } else {
                out[0] = out[1] = out[2] = Widen(entry[1]);
            }
        }
    }
    return true;
}

bool ReadBoardFile(const std::string& path, std::vector<uint8_t>& board, std::string& message) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        message = path + ": " + std::strerror(errno);
        return false;
    }
    // Read one byte past the size a board has, to tell a longer file apart.
    board.assign(kBoardFileSize + 1, 0);
    in.read(reinterpret_cast<char*>(board.data()), static_cast<std::streamsize>(board.size()));
    board.resize(static_cast<size_t>(in.gcount()));
    if (!IsBoardImage(board, message)) {
        message = path + ": " + message;
        return false;
    }
    return true;
}

bool WritePng(const PanelImage& image, const std::string& path, std::string& message) {
    std::vector<uint8_t> png;
    if (!EncodePng(image, png, message)) {
        message = path + ": " + message;
        return false;
    }
    int error = 0;
    if (!platform::WriteFileAtomically(path, png, {}, error)) {
        message = path + ": " + platform::SystemErrorText(error);
        return false;
    }
    return true;
}

bool EncodePng(const PanelImage& image, std::vector<uint8_t>& png, std::string& message) {
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width);
    header.height = static_cast<png_uint_32>(image.height);
    header.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    if (png_image_write_to_memory(&header, nullptr, &size, 0, image.rgb.data(), 0, nullptr) != 0) {
        png.resize(size);
        if (png_image_write_to_memory(&header, png.data(), &size, 0, image.rgb.data(), 0,
                                      nullptr) != 0) {
            png.resize(size);
            return true;
        }
    }
    message = header.message;
    png_image_free(&header);
    return false;
}

} // namespace zlc::sim

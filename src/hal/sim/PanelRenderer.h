#pragma once

// What the panel of a simulated board shows, from the registers, display
// memory and look-up table in its board file.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zlc::sim {

struct PanelImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width x height pixels, three bytes each, row by row
};

struct PanelGeometry {
    int width = 0;  // as the viewer sees it: in PivotScan the panel's height
    int height = 0; // and in PivotScan the panel's width
    int bitsPerPixel = 1;
    bool pivotScan = false;
    bool color = false;
};

// The panel's picture upright as a viewer sees it, PivotScan panels turned
// back. Each pixel goes through the look-up table, whose 4-bit levels are
// widened to 8 bits; a monochrome panel shows the table's green level as grey.
// Pixels whose address lies outside display memory are black.
bool RenderPanel(std::span<const uint8_t> board, PanelImage& image, std::string& message);

PanelGeometry DescribePanel(std::span<const uint8_t> board);
// The same from the 32 register bytes alone.
PanelGeometry DescribeRegisters(const uint8_t* regs);

// The whole board file, checked to be one.
bool ReadBoardFile(const std::string& path, std::vector<uint8_t>& board, std::string& message);

// Writes the picture to `path` through the one file writer: a failed write
// leaves a file already there as it was.
bool WritePng(const PanelImage& image, const std::string& path, std::string& message);

// The picture as the bytes of a PNG file.
bool EncodePng(const PanelImage& image, std::vector<uint8_t>& png, std::string& message);

} // namespace zlc::sim

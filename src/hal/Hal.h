#pragma once

// The C-style interface through which a program on the board drives the
// ZLC62740: map the chip, program it from the program's configuration block,
// and the operations a test program needs. Every operation reports through its
// result code and prints nothing.

#include "model/ConfigBlock.h"

#include <cstdint>

// The block a program carries, in the layout the configuration utility edits.
using HAL_STRUCT = zlc::ConfigBlock;

enum HalResult : int {
    HAL_OK = 0,
    HAL_FAILED = 1,
    HAL_DEVICE_NOT_FOUND = 2,
    HAL_INVALID_PARAMETER = 4,
    HAL_DRIVER_NOT_FOUND = 6,
    HAL_IOCTL_ERROR = 7,
};

// Display memory of the chip, from the mapped base.
inline constexpr int HAL_MEMORY_SIZE = 81920;

// Register indices the HAL and its programs interpret.
enum HalRegister : int {
    REG_REVISION_CODE = 0x00,
    REG_MODE_REGISTER_0 = 0x01,
    REG_MODE_REGISTER_1 = 0x02,
    REG_MODE_REGISTER_2 = 0x03,
    REG_HORZ_PANEL_SIZE = 0x04,
    REG_VERT_PANEL_SIZE_LSB = 0x05,
    REG_VERT_PANEL_SIZE_MSB = 0x06,
    REG_HORZ_NONDISP_PERIOD = 0x08,
    REG_VERT_NONDISP_PERIOD = 0x0A,
    REG_SCRN1_START_ADDR_LSB = 0x0C,
    REG_SCRN1_START_ADDR_MSB = 0x0D,
    REG_SCRN2_START_ADDR_LSB = 0x0E,
    REG_SCRN2_START_ADDR_MSB = 0x0F,
    // The register table names it REG_SCRN__START_ADDR; a double underscore is
    // reserved for the implementation in C and C++ identifiers.
    REG_SCRN_START_ADDR_OVERFLOW = 0x10,
    REG_MEM_ADDR_OFFSET = 0x11,
    REG_SCRN1_VERT_SIZE_LSB = 0x12,
    REG_SCRN1_VERT_SIZE_MSB = 0x13,
    REG_LUT_ADDR = 0x15,
    REG_LUT_DATA = 0x17,
    REG_PORTRAIT_MODE = 0x1B,
    REG_LINE_BYTE_COUNT = 0x1C,
};

// Maps the chip, remembers `info` (which must outlive every later call) and
// checks the revision code. Returns HAL_OK, HAL_DEVICE_NOT_FOUND,
// HAL_DRIVER_NOT_FOUND or HAL_IOCTL_ERROR.
int halInitialize(HAL_STRUCT* info);

// Programs the registers from the block, clears the displayed part of display
// memory and loads the look-up table for the depth and panel kind.
int halProgramRegisters();

uint8_t halReadRegister(int index);
void halWriteRegister(int index, uint8_t value);

// "1.05" and two further texts, both empty.
void halGetVersion(const char** version, const char** subVersion, const char** status);

// Writes `entries` red, green, blue triples through the look-up table ports,
// starting at entry 0.
void halLoadLut(const uint8_t* table, int entries);

// The standard look-up table for a depth (1, 2, 4 or 8 bits per pixel) on a
// colour or monochrome panel; nullptr for any other depth.
const uint8_t* halGetLut(int bitsPerPixel, bool color, int* entries);

int halSetOrientation(int mode); // 0 landscape, 1 PivotScan
int halSetPortrait();
int halSetAlternatePortrait(int select); // -1 normal PivotScan, anything else alternate
int halTuneFrameRate();

// Sets the virtual screen width in pixels and hands back the lines it holds.
int halSetVirtualWidth(int width, int* lines);
int halSetStartAddress(int screen, int x, int y);

// Lines and rectangles in display memory, at the current depth and stride;
// whatever falls outside display memory is not drawn.
void halDrawLine(int x1, int y1, int x2, int y2, unsigned color);
void halDrawRect(int x1, int y1, int x2, int y2, unsigned color, bool filled);

// Beyond the classic set: what a program needs without touching the mapping
// itself.
int halGetBitsPerPixel();
void halGetDisplaySize(int* width, int* height); // displayed width and height
void halClearMemory();                           // all of display memory
// The frame rate in Hz the chip runs at with its current timing registers,
// the block's input clock and the clock divides.
unsigned halGetFrameRate();

#include "hal/Hal.h"

#include <array>
#include <cstddef>

namespace {

using Table = std::array<uint8_t, 256 * 3>;

constexpr void Set(Table& t, int entry, int r, int g, int b) {
    t[static_cast<size_t>(entry) * 3] = static_cast<uint8_t>(r);
    t[static_cast<size_t>(entry) * 3 + 1] = static_cast<uint8_t>(g);
    t[static_cast<size_t>(entry) * 3 + 2] = static_cast<uint8_t>(b);
}

// Index bit 2 red, bit 1 green, bit 0 blue; A0h for the first eight, F0h after.
constexpr Table MakeColor4() {
    Table t{};
    for (int i = 0; i < 16; ++i) {
        const int level = i < 8 ? 0xA0 : 0xF0;
        Set(t, i, (i & 4) ? level : 0, (i & 2) ? level : 0, (i & 1) ? level : 0);
    }
    return t;
}

constexpr Table MakeColor8() {
    Table t = MakeColor4();
    Set(t, 8, 0x50, 0x50, 0x50);
    for (int row = 1; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            const int v = 0x10 * column;
            const int w = 0xF0 - v;
            const int entry = row * 16 + column;
            switch (row) {
            case 1:
                Set(t, entry, v, v, v);
                break;
            case 2:
                Set(t, entry, v, 0, 0);
                break;
            case 3:
                Set(t, entry, 0, v, 0);
                break;
            case 4:
                Set(t, entry, 0, 0, v);
                break;
            case 5:
                Set(t, entry, 0, v, 0xF0);
                break;
            case 6:
                Set(t, entry, 0, 0xF0, w);
                break;
            case 7:
                Set(t, entry, v, 0xF0, 0);
                break;
            case 8:
                Set(t, entry, 0xF0, w, 0);
                break;
            case 9:
                Set(t, entry, 0xF0, 0, v);
                break;
            case 10:
                Set(t, entry, w, 0, 0xF0);
                break;
            case 11:
                Set(t, entry, v, 0, v);
                break;
            case 12:
                Set(t, entry, 0, v, v);
                break;
            case 13:
                Set(t, entry, 0xF0, v, v);
                break;
            case 14:
                Set(t, entry, v, 0xF0, v);
                break;
            default:
                Set(t, entry, v, v, 0xF0);
                break;
            }
        }
    }
    return t;
}

constexpr Table MakeGreys(std::initializer_list<int> levels) {
    Table t{};
    int entry = 0;
    for (const int level : levels) {
        Set(t, entry++, level, level, level);
    }
    return t;
}

constexpr Table kColor1 = MakeGreys({0x00, 0xF0});
constexpr Table kColor2 = [] {
    Table t{};
    Set(t, 0, 0x00, 0x00, 0xF0);
    Set(t, 1, 0xF0, 0x00, 0x00);
    Set(t, 2, 0x00, 0xF0, 0x00);
    Set(t, 3, 0xF0, 0xF0, 0xF0);
    return t;
}();
constexpr Table kColor4 = MakeColor4();
constexpr Table kColor8 = MakeColor8();
constexpr Table kMono1 = MakeGreys({0x00, 0xF0});
constexpr Table kMono2 = MakeGreys({0x00, 0x50, 0xA0, 0xF0});
constexpr Table kMono4 = MakeGreys({0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90,
                                    0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0});

} // namespace

const uint8_t* halGetLut(int bitsPerPixel, bool color, int* entries) {
    const Table* table = nullptr;
    int count = 0;
    switch (bitsPerPixel) {
    case 1:
        table = color ? &kColor1 : &kMono1;
        count = 2;
        break;
    case 2:
        table = color ? &kColor2 : &kMono2;
        count = 4;
        break;
    case 4:
        table = color ? &kColor4 : &kMono4;
        count = 16;
        break;
    case 8:
        // A monochrome panel shows sixteen greys at most.
        table = color ? &kColor8 : &kMono4;
        count = color ? 256 : 16;
        break;
    default:
        break;
    }
    if (entries != nullptr) {
        *entries = count;
    }
    return table != nullptr ? table->data() : nullptr;
}

#pragma once

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>

namespace zlc::test {

using Rgb = std::array<int, 3>;

// A PNG file's pixels, read as 8-bit RGB; empty (with a failure) when the file
// cannot be read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Rgb At(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }

    static Picture Read(const std::string& path) {
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        Picture picture;
        if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
            ADD_FAILURE() << path << ": " << png.message;
            return picture;
        }
        png.format = PNG_FORMAT_RGB;
        picture.width = static_cast<int>(png.width);
        picture.height = static_cast<int>(png.height);
        picture.rgb.resize(PNG_IMAGE_SIZE(png));
        png_image_finish_read(&png, nullptr, picture.rgb.data(), 0, nullptr);
        return picture;
    }
};

} // namespace zlc::test

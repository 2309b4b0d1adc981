#pragma once

// A picture as a list of shapes in picture pixels, drawn in order. The timing
// picture is built once as a list and written as SVG, rasterised into a PNG or
// painted by the configuration utility's window, so all three show the same.

#include <cstdint>
#include <string>
#include <vector>

namespace zlc::timing {

struct Color {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

struct Point {
    int x = 0;
    int y = 0;
};

struct Shape {
    enum class Kind { Rect, Polyline, Text };
    Kind kind = Kind::Rect;
    Color color;
    int x = 0, y = 0, w = 0, h = 0; // a rectangle; a text's top left corner and pixel height
    std::vector<Point> points;      // a polyline, one pixel wide
    std::string text;               // printable ASCII
    std::string role;               // what the shape shows, for readers of the SVG
};

struct Drawing {
    int width = 0;
    int height = 0;
    Color background{255, 255, 255};
    std::vector<Shape> shapes;

    void Rect(int x, int y, int w, int h, Color color, std::string role = {});
    void Polyline(std::vector<Point> points, Color color, std::string role = {});
    void Text(int x, int y, int size, std::string text, Color color, std::string role = {});
};

} // namespace zlc::timing

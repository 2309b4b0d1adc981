#include "timing/BitmapFont.h"
#include "timing/DrawingOutput.h"

#include <algorithm>
#include <cstdlib>

namespace zlc::timing {

namespace {

class Canvas {
  public:
    explicit Canvas(const Drawing& drawing) {
        image_.width = drawing.width;
        image_.height = drawing.height;
        image_.rgb.resize(static_cast<size_t>(drawing.width) * drawing.height * 3);
        Fill(0, 0, drawing.width, drawing.height, drawing.background);
    }

    void Fill(int x, int y, int w, int h, Color c) {
        for (int row = std::max(y, 0); row < std::min(y + h, image_.height); ++row) {
            for (int col = std::max(x, 0); col < std::min(x + w, image_.width); ++col) {
                uint8_t* pixel = &image_.rgb[(static_cast<size_t>(row) * image_.width + col) * 3];
                pixel[0] = c.r;
                pixel[1] = c.g;
                pixel[2] = c.b;
            }
        }
    }

    // Lines are horizontal or vertical, two pixels wide as in the SVG.
    void Segment(Point a, Point b, Color c) {
        const int x = std::min(a.x, b.x);
        const int y = std::min(a.y, b.y);
        Fill(x - 1, y - 1, std::abs(a.x - b.x) + 2, std::abs(a.y - b.y) + 2, c);
    }

    void Text(int x, int y, int height, const std::string& text, Color c) {
        const int scale = std::max(1, height / kGlyphHeight);
        for (const char ch : text) {
            const uint8_t* rows = Glyph(ch);
            for (int row = 0; row < kGlyphHeight; ++row) {
                for (int col = 0; col < kGlyphWidth; ++col) {
                    if ((rows[row] >> (kGlyphWidth - 1 - col) & 1) != 0) {
                        Fill(x + col * scale, y + row * scale, scale, scale, c);
                    }
                }
            }
            x += kGlyphAdvance * scale;
        }
    }

    sim::PanelImage Take() { return std::move(image_); }

  private:
    sim::PanelImage image_;
};

} // namespace

sim::PanelImage Rasterize(const Drawing& drawing) {
    Canvas canvas(drawing);
    for (const Shape& s : drawing.shapes) {
        switch (s.kind) {
        case Shape::Kind::Rect:
            canvas.Fill(s.x, s.y, s.w, s.h, s.color);
            break;
        case Shape::Kind::Polyline:
            for (size_t i = 1; i < s.points.size(); ++i) {
                canvas.Segment(s.points[i - 1], s.points[i], s.color);
            }
            break;
        case Shape::Kind::Text:
            canvas.Text(s.x, s.y, s.h, s.text, s.color);
            break;
        }
    }
    return canvas.Take();
}

} // namespace zlc::timing

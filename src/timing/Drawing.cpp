#include "timing/Drawing.h"

#include <utility>

namespace zlc::timing {

void Drawing::Rect(int x, int y, int w, int h, Color color, std::string role) {
    Shape shape;
    shape.kind = Shape::Kind::Rect;
    shape.color = color;
    shape.x = x;
    shape.y = y;
    shape.w = w;
    shape.h = h;
    shape.role = std::move(role);
    shapes.push_back(std::move(shape));
}

void Drawing::Polyline(std::vector<Point> points, Color color, std::string role) {
    Shape shape;
    shape.kind = Shape::Kind::Polyline;
    shape.color = color;
    shape.points = std::move(points);
    shape.role = std::move(role);
    shapes.push_back(std::move(shape));
}

void Drawing::Text(int x, int y, int size, std::string text, Color color, std::string role) {
    Shape shape;
    shape.kind = Shape::Kind::Text;
    shape.color = color;
    shape.x = x;
    shape.y = y;
    shape.h = size;
    shape.text = std::move(text);
    shape.role = std::move(role);
    shapes.push_back(std::move(shape));
}

} // namespace zlc::timing

#include "base/Format.h"
#include "timing/DrawingOutput.h"

namespace zlc::timing {

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Hex(Color c) {
    return Format("#%02x%02x%02x", static_cast<unsigned>(c.r), static_cast<unsigned>(c.g),
                  static_cast<unsigned>(c.b));
}

std::string ShapeElement(const Shape& s) {
    const std::string role = Escaped(s.role);
    switch (s.kind) {
    case Shape::Kind::Rect:
        return Format(
            "<rect class=\"%s\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>",
            role.c_str(), s.x, s.y, s.w, s.h, Hex(s.color).c_str());
    case Shape::Kind::Polyline: {
        std::string points;
        for (const Point& p : s.points) {
            points += Format("%s%d,%d", points.empty() ? "" : " ", p.x, p.y);
        }
        return Format("<polyline class=\"%s\" points=\"%s\" fill=\"none\" stroke=\"%s\" "
                      "stroke-width=\"2\"/>",
                      role.c_str(), points.c_str(), Hex(s.color).c_str());
    }
    case Shape::Kind::Text:
        // y is the text's top: the baseline lies a cap height below it.
        return Format("<text class=\"%s\" x=\"%d\" y=\"%d\" font-size=\"%d\" fill=\"%s\">%s</text>",
                      role.c_str(), s.x, s.y + s.h, s.h, Hex(s.color).c_str(),
                      Escaped(s.text).c_str());
    }
    return {};
}

} // namespace

std::string ToSvg(const Drawing& drawing) {
    std::string out = Format("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                             "viewBox=\"0 0 %d %d\" font-family=\"monospace\">\n",
                             drawing.width, drawing.height, drawing.width, drawing.height);
    out += Format("<rect x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", drawing.width,
                  drawing.height, Hex(drawing.background).c_str());
    for (const Shape& shape : drawing.shapes) {
        out += ShapeElement(shape) + "\n";
    }
    return out + "</svg>\n";
}

} // namespace zlc::timing

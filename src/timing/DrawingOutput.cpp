#include "timing/DrawingOutput.h"

#include "base/AsciiCase.h"
#include "platform/FileWriter.h"

namespace zlc::timing {

namespace {

bool EndsWith(const std::string& path, const char* extension) {
    const std::string upper = ToAsciiUpper(path);
    const std::string wanted = extension;
    return upper.size() > wanted.size() &&
           upper.compare(upper.size() - wanted.size(), wanted.size(), wanted) == 0;
}

} // namespace

bool IsDrawingFileName(const std::string& path) {
    return EndsWith(path, ".SVG") || EndsWith(path, ".PNG");
}

bool WriteDrawing(const Drawing& drawing, const std::string& path, std::string& message) {
    if (EndsWith(path, ".PNG")) {
        return sim::WritePng(Rasterize(drawing), path, message);
    }
    if (!EndsWith(path, ".SVG")) {
        message = path + ": not a .png or .svg file name";
        return false;
    }
    const std::string svg = ToSvg(drawing);
    int error = 0;
    if (!platform::WriteFileAtomically(
            path, {reinterpret_cast<const uint8_t*>(svg.data()), svg.size()}, {}, error)) {
        message = path + ": " + platform::SystemErrorText(error);
        return false;
    }
    return true;
}

} // namespace zlc::timing

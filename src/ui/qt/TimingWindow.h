#pragma once

#include "model/ConfigDocument.h"
#include "timing/Drawing.h"

#include <QWidget>
#include <optional>

namespace zlc::ui::qt {

class TimingCanvas;

// View > Timing Diagram: a window beside the main window with one line and one
// frame of the panel timing drawn to scale, as `zlc62740 timing` draws them.
class TimingWindow : public QWidget {
  public:
    TimingWindow(const ConfigDocument& doc, QWidget* owner);

    // Redraws when the block is not the one last drawn; cheap otherwise, so it
    // may follow every change of the document.
    void Refresh();

    const timing::Drawing& drawing() const;
    // The labels of the drawing, one per line: what a screen reader reads.
    QString labels() const;

  private:
    const ConfigDocument& doc_;
    std::optional<ConfigBlock> drawn_;
    TimingCanvas* canvas_ = nullptr;
};

} // namespace zlc::ui::qt

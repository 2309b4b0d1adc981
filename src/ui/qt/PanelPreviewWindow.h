#pragma once

#include "model/ConfigDocument.h"

#include <QImage>
#include <QWidget>
#include <optional>

class QLabel;
class QScrollArea;

namespace zlc::ui::qt {

// A window beside the main window that shows what the panel will show with
// the document's configuration: the picture of a simulated board programmed
// from the block through the HAL, and under it the frame rate and the
// registers the HAL changed.
class PanelPreviewWindow : public QWidget {
  public:
    PanelPreviewWindow(const ConfigDocument& doc, QWidget* owner);

    // Redraws when the block is not the one last drawn; cheap otherwise, so it
    // may follow every change of the document.
    void Refresh();

    const QImage& picture() const { return picture_; }
    QString infoText() const;

  private:
    void ShowPreview();

    const ConfigDocument& doc_;
    std::optional<ConfigBlock> drawn_;
    QImage picture_;
    QScrollArea* scroller_ = nullptr;
    QLabel* pictureLabel_ = nullptr;
    QLabel* infoLabel_ = nullptr;
};

} // namespace zlc::ui::qt

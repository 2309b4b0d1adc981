#include "ui/qt/PanelPreviewWindow.h"

#include "preview/PanelPreview.h"

#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

namespace zlc::ui::qt {

namespace {

constexpr const char* kTitle = "Panel Preview";
// The window grows with the panel up to this size, then scrolls.
constexpr int kMaxPictureWidth = 800;
constexpr int kMaxPictureHeight = 640;

bool SameBlock(const ConfigBlock& a, const ConfigBlock& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QImage ToQImage(const sim::PanelImage& image) {
    return QImage(image.rgb.data(), image.width, image.height, image.width * 3,
                  QImage::Format_RGB888)
        .copy();
}

} // namespace

PanelPreviewWindow::PanelPreviewWindow(const ConfigDocument& doc, QWidget* owner)
    : QWidget(owner, Qt::Window), doc_(doc) {
    setWindowTitle(kTitle);
    setAccessibleName(kTitle);

    pictureLabel_ = new QLabel;
    pictureLabel_->setAlignment(Qt::AlignCenter);
    scroller_ = new QScrollArea;
    scroller_->setWidget(pictureLabel_);
    scroller_->setWidgetResizable(true);
    scroller_->setFocusPolicy(Qt::StrongFocus); // arrow keys scroll a large panel
    scroller_->setAccessibleName(kTitle);

    infoLabel_ = new QLabel;
    infoLabel_->setWordWrap(true);
    infoLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    infoLabel_->setFocusPolicy(Qt::StrongFocus);
    infoLabel_->setAccessibleName("Programmed by the HAL");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroller_, 1);
    layout->addWidget(infoLabel_);

    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

QString PanelPreviewWindow::infoText() const {
    return infoLabel_->text();
}

void PanelPreviewWindow::Refresh() {
    if (drawn_ && SameBlock(*drawn_, doc_.block)) {
        return;
    }
    drawn_ = doc_.block;
    ShowPreview();
}

void PanelPreviewWindow::ShowPreview() {
    const preview::PanelPreview preview = preview::MakePanelPreview(doc_.block);
    if (!preview.ok) {
        picture_ = QImage();
        pictureLabel_->setPixmap(QPixmap());
        pictureLabel_->setText(
            QString::fromStdString("The HAL refuses this configuration: " + preview.message));
        infoLabel_->clear();
        scroller_->setAccessibleDescription(pictureLabel_->text());
        return;
    }
    picture_ = ToQImage(preview.image);
    pictureLabel_->setPixmap(QPixmap::fromImage(picture_));
    const QString geometry = QString::fromStdString(preview::DescribeGeometry(preview));
    const QString programming = QString::fromStdString(preview::DescribeProgramming(preview));
    infoLabel_->setText(geometry + "\n" + programming);
    scroller_->setAccessibleDescription(geometry);
    infoLabel_->setAccessibleDescription(programming);
    const int margin = 2 * scroller_->frameWidth() + 4;
    scroller_->setMinimumSize(std::min(picture_.width(), kMaxPictureWidth) + margin,
                              std::min(picture_.height(), kMaxPictureHeight) + margin);
    adjustSize();
}

} // namespace zlc::ui::qt

#pragma once

#include <QFrame>

namespace zlc::ui::qt {

// The About box's picture control: one of the program's two pictures, drawn
// by the program itself, chosen by number (421 or 422). Any other number
// leaves the control empty.
class PictureControl : public QFrame {
  public:
    explicit PictureControl(QWidget* parent);

    void SetPicture(int number);
    int picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int picture_ = 0;
};

} // namespace zlc::ui::qt

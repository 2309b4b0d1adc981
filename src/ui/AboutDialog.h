#pragma once

#include "ui/ModalDialog.h"

#include <string>

namespace zlc::ui {

namespace AboutIds {
inline constexpr int VersionLine = 2001;
inline constexpr int Picture = 2002;
// The numbers of the two pictures; the picture control's position names the
// one it shows.
inline constexpr int FirstPicture = 421;
inline constexpr int SecondPicture = 422;
} // namespace AboutIds

// The About box. A right double click switches to the other picture; the
// choice is kept in `picture` for the rest of the run.
class AboutDialog : public ModalDialog {
  public:
    explicit AboutDialog(int& picture);
    void OnClicked(int id) override;
    void OnRightDoubleClick() override;

  protected:
    void Init() override;

  private:
    int& picture_;
};

} // namespace zlc::ui

#include "ui/AboutDialog.h"

#include "base/BuildInfo.h"
#include "base/Format.h"
#include "ui/AppIdentity.h"

namespace zlc::ui {

AboutDialog::AboutDialog(int& picture)
    : ModalDialog(*FindDialogTemplate(Ids::AboutDialog)), picture_(picture) {}

void AboutDialog::Init() {
    host().SetDialogTitle(Format("About %sCFG", ChipNumber));
    host().SetText(AboutIds::VersionLine, VersionLine());
    host().SetPosition(AboutIds::Picture, picture_);
}

void AboutDialog::OnClicked(int id) {
    if (id == kIdOk) {
        End(kIdOk);
        return;
    }
    ModalDialog::OnClicked(id);
}

void AboutDialog::OnRightDoubleClick() {
    picture_ =
        picture_ == AboutIds::FirstPicture ? AboutIds::SecondPicture : AboutIds::FirstPicture;
    host().SetPosition(AboutIds::Picture, picture_);
}

} // namespace zlc::ui

#include "ui/AboutDialog.h"

#include "base/BuildInfo.h"
#include "base/Format.h"
#include "ui/AppIdentity.h"

namespace zlc::ui {

std::string AboutVersionLine(const std::string& productVersion) {
    const std::string version =
        productVersion.empty() ? std::string() : Format(" Version %s", productVersion.c_str());
    return Format("%s%s  (Build %d)", ProgramName().c_str(), version.c_str(), BuildNumber);
}

AboutDialog::AboutDialog(int& picture)
    : ModalDialog(*FindDialogTemplate(Ids::AboutDialog)), picture_(picture) {}

void AboutDialog::Init() {
    host().SetDialogTitle(Format("About %sCFG", ChipNumber));
    host().SetText(AboutIds::VersionLine, AboutVersionLine(ZLC_PRODUCT_VERSION));
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

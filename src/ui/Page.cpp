#include "ui/Page.h"

#include "ui/ClocksPage.h"
#include "ui/DialogTemplates.h"
#include "ui/GeneralPage.h"
#include "ui/PanelPage.h"
#include "ui/PanelPowerPage.h"
#include "ui/PreferencesPage.h"
#include "ui/RegistersPage.h"

namespace zlc::ui {

std::unique_ptr<Page> MakePage(int templateId, DialogHost& host, UiState& state) {
    switch (templateId) {
    case Ids::GeneralPage:
        return std::make_unique<GeneralPage>(host, state);
    case Ids::PreferencesPage:
        return std::make_unique<PreferencesPage>(host, state);
    case Ids::ClocksPage:
        return std::make_unique<ClocksPage>(host, state);
    case Ids::PanelPage:
        return std::make_unique<PanelPage>(host, state);
    case Ids::PanelPowerPage:
        return std::make_unique<PanelPowerPage>(host, state);
    case Ids::RegistersPage:
        return std::make_unique<RegistersPage>(host, state);
    default:
        return nullptr;
    }
}

} // namespace zlc::ui

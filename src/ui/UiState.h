#pragma once

#include "model/ConfigDocument.h"
#include "panels/PanelList.h"
#include "panels/PanelSelection.h"
#include "ui/Diagnostics.h"
#include "ui/ManualEdits.h"

#include <cstdint>

namespace zlc::ui {

class ShellHost;

// Display buffer and register addresses of one platform.
struct PlatformAddresses {
    uint32_t memory;
    uint32_t registers;
};

// The user's last choice for the Panel page's check boxes that the page
// switches off while they do not apply, so that it comes back when they do.
struct PanelChoices {
    bool format2Wanted = false;
    bool frameRepeatWanted = false;
    bool maskFpshiftWanted = false;
};

// What the pages share for the whole run: the document, the predefined
// panels read at start-up and the list's selection state, the Diagnostics box,
// whether the program is the active application, and the addresses typed for
// the User-Defined platform, which survive page re-creation.
struct UiState {
    UiState(ConfigDocument& document, const PanelList& panelList)
        : doc(document), panels(panelList), panelSelection(panelList), diagnostics(document) {}

    ConfigDocument& doc;
    const PanelList& panels;
    PanelSelection panelSelection;
    PanelChoices panelChoices;
    Diagnostics diagnostics;
    bool appActive = true;
    PlatformAddresses userDefined{0x00000000, 0x0001FFE0};
    // Register bytes changed by hand, and whether the Modify Register dialog
    // was last used in hexadecimal.
    ManualEdits manualEdits;
    bool modifyRegisterInHex = true;
    // The window system, for the modal dialogs and message boxes of pages.
    ShellHost* shellHost = nullptr;
};

} // namespace zlc::ui

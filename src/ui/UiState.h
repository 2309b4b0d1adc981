#pragma once

#include "model/ConfigDocument.h"
#include "panels/PanelList.h"
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

// What the pages share for the whole run: the document, the predefined
// panels read at start-up, the Diagnostics box,
// whether the program is the active application, and the addresses typed for
// the User-Defined platform, which survive page re-creation.
struct UiState {
    UiState(ConfigDocument& document, const PanelList& panelList)
        : doc(document), panels(panelList), diagnostics(document) {}

    ConfigDocument& doc;
    const PanelList& panels;
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

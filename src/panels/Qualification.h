#pragma once

#include "panels/PanelDefinition.h"

#include <string>

namespace zlc {

// Whether the chip cannot drive the panel. When it cannot, `reason` receives
// the explanation: the panel's name and every fault found, ending in ".\n".
bool QualifyPanel(const PanelDefinition& definition, std::string& reason);

} // namespace zlc

#pragma once

#include "cli/Cli.h"
#include "panels/PanelList.h"

namespace zlc::cli {

// The predefined panels of the directory the options name (the program's own
// by default), read on first use and kept for the rest of the run, as the
// configuration utility reads them once at start-up. Files that cannot be read
// are reported on stderr.
const PanelList& ProgramPanels(const DocumentOptions& options);

// Applies the panel named by --panel, if any, as choosing it on the Panel page
// does. An unknown name is a usage error; a panel that the chip cannot drive
// fails with its reason. The pixel clock note goes to stderr.
int ApplyPanelOption(ConfigDocument& doc, const DocumentOptions& options);

} // namespace zlc::cli

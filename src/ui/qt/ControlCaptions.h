#pragma once

#include "ui/DialogTemplates.h"

#include <string>

namespace zlc::ui::qt {

// A caption as read aloud: without its mnemonic marker and trailing colon.
std::string SpokenCaption(const char* caption);

// The caption of the group box that encloses a control, spoken and without a
// unit in brackets ("CLK&I [MHz]" gives "CLKI"); empty outside any group.
std::string EnclosingGroupCaption(const DialogTemplate& dialog, size_t index);

// The index of the label that captions a value control: the nearest label
// before it, looking no further back than the start of its group; -1 when
// there is none.
int CaptionLabelIndex(const DialogTemplate& dialog, size_t index);

// The accessible name of a control that shows a value (edit field, combo box,
// read-only value, up-down, bar, list): the label before it in the tab order.
// A caption that several controls of the dialog share ("Timing:") is told
// apart by the group it stands in ("PCLK Timing"). Without a label, the
// group's caption; empty when there is neither.
std::string ValueControlName(const DialogTemplate& dialog, size_t index);

} // namespace zlc::ui::qt

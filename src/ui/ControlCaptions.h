#pragma once

#include "ui/DialogTemplates.h"

#include <functional>
#include <string>
#include <vector>

namespace zlc::ui {

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

// The controls of `dialog` that `name` names, by index in template order, so
// that scripts and tools find a control as a user would. A control is named
// by its caption as shown (`shownCaption` gives a control's current text, for
// the buttons whose captions the page sets; without it, the template's with
// the chip number), by the part of a caption before ": " ("NOTE"), a value
// control by the name ValueControlName gives the control its label or group
// captions, and a button also by the label before it and its caption
// ("FPLINE High"). Every name is also known without its unit in brackets.
std::vector<size_t> ControlsNamed(const DialogTemplate& dialog, const std::string& name,
                                  const std::function<std::string(int id)>& shownCaption = {});

} // namespace zlc::ui

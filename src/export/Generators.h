#pragma once

#include "model/ConfigDocument.h"

#include <string>

// One generator per export target. Each returns the whole text of its file
// with "\n" line ends and only reads the document.
namespace zlc {

// appcfg.h: the HAL_STRUCT initialiser of the configuration.
std::string GenerateAppCfgHeader(const ConfigDocument& doc, unsigned buildNumber);

// chip.h: the register index enumeration; the same for every configuration.
std::string GenerateChipHeader(const ConfigDocument& doc, unsigned buildNumber);

// mode<n>.h: one display mode of a WinCE display driver.
std::string GenerateWinCeHeader(const ConfigDocument& doc, unsigned buildNumber,
                                unsigned modeNumber);

// zlc62740.h: geometry, clock and address macros and the register values.
std::string GenerateGenericHeader(const ConfigDocument& doc, unsigned buildNumber);

// zlc62740.csv: the register values, two registers to a line.
std::string GenerateCsv(const ConfigDocument& doc, unsigned buildNumber);

// zlc62740.html: the register quick reference; the same for every configuration.
std::string GenerateHtmlReference(const ConfigDocument& doc, unsigned buildNumber);

} // namespace zlc

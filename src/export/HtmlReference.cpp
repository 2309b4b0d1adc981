#include "base/BuildInfo.h"
#include "base/Format.h"
#include "base/Notice.h"
#include "export/Generators.h"
#include "model/RegisterTable.h"
#include "model/SettingTexts.h"
#include "model/SettingsTable.h"

#include <bit>
#include <vector>

namespace zlc {

namespace {

using namespace SettingFlags;

// A bit field of a register: a REGISTER row of the settings table.
struct Field {
    const SettingEntry* row;
    int lo;
    int hi;
    int Width() const { return hi - lo + 1; }
};

Field FieldOf(const SettingEntry& row) {
    const int lo = std::countr_zero(row.mask);
    const int run = std::countr_one(row.mask >> lo);
    return {&row, lo, lo + run - 1};
}

std::vector<Field> FieldsOf(int index) {
    std::vector<Field> fields;
    for (const SettingEntry& row : SettingsTable()) {
        if (row.Has(REGISTER) && row.mask != 0 && static_cast<int>(row.reg) == index) {
            fields.push_back(FieldOf(row));
        }
    }
    return fields;
}

// Two rows may describe the same bits; the first in table order is shown.
const Field* FieldWithBit(const std::vector<Field>& fields, int bit) {
    for (const Field& field : fields) {
        if (bit < 32 && (field.row->mask & (1u << bit)) != 0) {
            return &field;
        }
    }
    return nullptr;
}

// The row's formula with its "%s" replaced by the bits. The formula is text,
// never a format, so a stray "%" in it cannot go wrong.
std::string FilledFormula(const Field& field) {
    std::string formula = field.row->formula;
    const std::string bits =
        field.lo == field.hi ? Format("bit%d", field.lo) : Format("bits%d:%d", field.hi, field.lo);
    if (const size_t at = formula.find("%s"); at != std::string::npos) {
        formula.replace(at, 2, bits);
    }
    return formula;
}

void AppendFieldRow(std::string& text, const std::vector<Field>& fields) {
    text += "\n<TR>";
    for (int bit = 7; bit >= 0;) {
        const Field* field = FieldWithBit(fields, bit);
        if (field == nullptr) {
            text += "\n<TD BGCOLOR=WHITE WIDTH=70 HEIGHT=36><FONT SIZE=-2 FACE=Arial,Helvetica "
                    "POINT-SIZE=7 STYLE=font-size:7pt>";
            text += "<CENTER>n/a</CENTER>";
            text += "</FONT></TD>";
            --bit;
            continue;
        }
        const bool reserved = field->row->Has(RESERVED);
        const int width = field->Width();
        AppendFormat(text,
                     "\n<TD BGCOLOR=%s WIDTH=%d HEIGHT=%d COLSPAN=%d><FONT COLOR=BLACK "
                     "FACE=Arial,Helvetica POINT-SIZE=7 STYLE=font-size:7pt>",
                     reserved ? "#E0E0E0" : "YELLOW", 70 * width, width == 32 ? 72 : 36, width);
        AppendFormat(text, "<CENTER>%s</CENTER>",
                     reserved ? "[RSVD]"
                              : SettingText(field->row->id,
                                            TextStyle::Name | TextStyle::Tags | TextStyle::Compact)
                                    .c_str());
        text += "</FONT></TD>";
        bit -= width;
    }
    text += "\n</TR>";
}

void AppendBitNumberRow(std::string& text) {
    text += "\n<TR>";
    for (int bit = 7; bit >= 0; --bit) {
        text += "\n<TD BGCOLOR=#C0C0C0 WIDTH=70><FONT COLOR=#404040 FACE=Arial,Helvetica "
                "POINT-SIZE=7 STYLE=font-size:7pt>";
        AppendFormat(text, "<CENTER>%d</CENTER>", bit);
        text += "</FONT></TD>";
    }
    text += "</TR></TABLE>";
}

void AppendFieldList(std::string& text, const std::vector<Field>& fields) {
    text += "\n<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>";
    for (int bit = 31; bit >= 0;) {
        const Field* field = FieldWithBit(fields, bit);
        if (field == nullptr) {
            --bit;
            continue;
        }
        text += "\n<TR><TD WIDTH=65 ALIGN=RIGHT VALIGN=TOP><FONT SIZE=-2 "
                "FACE=Verdana,Arial,Helvetica>";
        text += field->lo == field->hi ? Format("Bit %d", field->lo)
                                       : Format("Bits %d:%d", field->hi, field->lo);
        text += "</FONT></TD><TD WIDTH=5></TD><TD VALIGN=TOP><FONT SIZE=-2 "
                "FACE=Verdana,Arial,Helvetica>";
        const SettingEntry& row = *field->row;
        if (row.Has(RESERVED)) {
            text += "[RESERVED] Must be set to 0.";
        } else {
            text += SettingText(row.id, TextStyle::Name | TextStyle::Tags);
            if (row.unit != nullptr) {
                AppendFormat(text, " (in %s)", row.unit);
            }
            if (row.formula != nullptr) {
                text += " = " + FilledFormula(*field);
            }
        }
        text += "</FONT></TD></TR>";
        bit -= field->Width();
    }
    text += "</TABLE>";
}

} // namespace

std::string GenerateHtmlReference(const ConfigDocument&, unsigned buildNumber) {
    std::string text = "<HTML>\n"
                       "<HEAD>\n";
    AppendFormat(text, "<TITLE>KORVANE ZLC%s Register Quick Reference</TITLE>", ChipNumber);
    text += "\n</HEAD>\n"
            "<BODY>\n"
            "<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=640>\n"
            "<FONT FACE=Verdana,Arial,Helvetica SIZE=-2>\n"
            "\n";
    AppendFormat(text,
                 "<P><FONT SIZE=+1><CENTER>KORVANE ZLC%s<BR>Register Quick "
                 "Reference</FONT></CENTER>",
                 ChipNumber);
    text += "\n\n";
    text += "<P>This is to be used as a quick reference only (USB registers are not included). "
            "Please refer to the ";
    AppendFormat(text, "ZLC%s Hardware Functional Specification for details of each register.",
                 ChipNumber);
    AppendFormat(text, "<BR><I>This reference was generated by %sCFG.EXE (Build %u).</I>",
                 ChipNumber, buildNumber);
    text += "\n\n<P>";
    text += "<FONT FACE=Verdana,Arial,Helvetica SIZE=-1>";

    for (const RegisterEntry& entry : RegisterTable()) {
        const std::vector<Field> fields = FieldsOf(entry.index);
        if (fields.empty()) {
            continue;
        }
        AppendFormat(text, "\n<P><FONT SIZE=-1><B>REG[%02Xh] %s</B></FONT>",
                     static_cast<unsigned>(entry.index), entry.longName);
        text += "\n<BR><TABLE BORDER=1 BORDERCOLOR=#C0C0C0 CELLPADDING=0 CELLSPACING=0>";
        AppendFieldRow(text, fields);
        AppendBitNumberRow(text);
        AppendFieldList(text, fields);
    }

    text += "</FONT>";
    text += "<P><HR><FONT FACE=Verdana,Arial,Helvetica SIZE=-2 POINT-SIZE=7 "
            "STYLE=font-size:7pt><I>";
    text += notice::kHtmlFooter;
    text += "</I></FONT>\n\n";
    text += "</TD></TR></TABLE>\n<FONT>\n</BODY>\n</HTML>\n\n";
    return text;
}

} // namespace zlc

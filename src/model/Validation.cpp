#include "model/Validation.h"

#include "base/Format.h"
#include "model/DerivedSettings.h"
#include "model/SettingTexts.h"
#include "model/SettingsTable.h"

namespace zlc {

namespace {

using namespace SettingId;

constexpr uint32_t kMaxPivotScanLineBytes = 256;

std::string ShortName(int id) {
    return SettingText(id, TextStyle::Name | TextStyle::Compact);
}

void CheckActivePanelTiming(const ConfigDocument& doc, std::string& text) {
    if (GetSetting(doc, FplineStart) > GetSetting(doc, HorzNonDisplay)) {
        AppendFormat(text, "ERROR: %s is greater than %s.\n", ShortName(FplineStart).c_str(),
                     ShortName(HorzNonDisplay).c_str());
    }
    const uint32_t frameStart = GetSetting(doc, FpframeStart);
    if (frameStart < 1) {
        AppendFormat(text, "ERROR: %s is less than 1.\n", ShortName(FpframeStart).c_str());
    }
    if (frameStart > GetSetting(doc, VertNonDisplay)) {
        AppendFormat(text, "ERROR: %s is greater than %s.\n", ShortName(FpframeStart).c_str(),
                     ShortName(VertNonDisplay).c_str());
    }
}

// The chip's line byte count holds 1 to 256 bytes, so a PivotScan line (a
// panel column) outside that cannot be shown; the HAL refuses it.
void CheckPivotScanLine(const ConfigDocument& doc, std::string& text) {
    if (GetSetting(doc, PivotScanEnable) == 0) {
        return;
    }
    const uint32_t lineBytes = PivotScanLineBytes(doc);
    if (lineBytes > kMaxPivotScanLineBytes) {
        AppendFormat(
            text, "ERROR: PivotScan line of %u bytes is greater than the maximum allowed of %u.\n",
            lineBytes, kMaxPivotScanLineBytes);
    } else if (lineBytes < 1) {
        AppendFormat(text,
                     "ERROR: PivotScan line of %u bytes is less than the minimum allowed of 1.\n",
                     lineBytes);
    }
}

void CheckVideoMemory(const ConfigDocument& doc, std::string& text) {
    const uint32_t required = GetSetting(doc, RequiredVram);
    const uint32_t start = GetSetting(doc, Screen1Start);
    const uint32_t total = GetSetting(doc, TotalVideoMemory);
    if (required > total) {
        AppendFormat(text, "Warning: %s is %u KB, but %u KB is required.\n",
                     ShortName(TotalVideoMemory).c_str(), total / 1024, (required + start) / 1024);
    } else if (required + start > total) {
        AppendFormat(text, "Warning: The %s will cause the displayed image to exceed %u KB.\n",
                     ShortName(Screen1Start).c_str(), total / 1024);
    }
}

// The bits of a register that some setting in use owns.
uint32_t UsedBits(int reg) {
    uint32_t used = 0;
    for (const SettingEntry& row : SettingsTable()) {
        if (row.Has(SettingFlags::REGISTER) && !row.Has(SettingFlags::RESERVED) &&
            static_cast<int>(row.reg) == reg) {
            used |= row.mask;
        }
    }
    return used;
}

void CheckReservedBits(const ConfigDocument& doc, std::string& text) {
    for (int reg = 0; reg < static_cast<int>(kRegisterCount); ++reg) {
        const uint32_t bad = doc.GetRegister(reg) & ~UsedBits(reg) & 0xFF;
        if (bad == 0) {
            continue;
        }
        std::string line = Format("Warning: REG[%02Xh] bit%s", static_cast<unsigned>(reg),
                                  (bad & (bad - 1)) != 0 ? "s" : "");
        for (unsigned bit = 0; bit < 8;) {
            if (((bad >> bit) & 1) == 0) {
                ++bit;
                continue;
            }
            const unsigned lo = bit;
            while (bit < 8 && ((bad >> bit) & 1) != 0) {
                ++bit;
            }
            const unsigned hi = bit - 1;
            line += hi == lo ? Format(" %u,", lo) : Format(" %u:%u,", hi, lo);
        }
        line.pop_back(); // the last comma
        text += line + " set, but should be RESERVED.\n";
    }
}

} // namespace

std::string CheckErrors(const ConfigDocument& doc) {
    std::string text;
    if (GetSetting(doc, TftStn) == 0 && GetSetting(doc, DataWidthBits) == 0) {
        text += "ERROR: Data Width setting is invalid (please refer to the Hardware "
                "Specification).\n";
    }
    if (GetSetting(doc, BitsPerPixel) == 8 && GetSetting(doc, ColorMono) == 0) {
        text += "ERROR: 8 bits-per-pixel is invalid when in monochrome mode.\n";
    }
    const uint32_t powerSave = GetSetting(doc, SoftwarePowerSave);
    if (powerSave == 1 || powerSave == 2) {
        AppendFormat(text, "ERROR: %s is set to a RESERVED value of %u.\n",
                     ShortName(SoftwarePowerSave).c_str(), powerSave);
    }
    const uint32_t minimumWidth = GetSettingMin(doc, HorzPanelSize);
    if (GetSetting(doc, HorzPanelSize) < minimumWidth) {
        AppendFormat(text, "ERROR: %s is less than the minimum allowed of %u.\n",
                     ShortName(HorzPanelSize).c_str(), minimumWidth);
    }
    if (GetSetting(doc, TftStn) == 1) {
        CheckActivePanelTiming(doc, text);
    }
    CheckPivotScanLine(doc, text);
    return text;
}

std::string CheckWarnings(const ConfigDocument& doc) {
    std::string text;
    CheckVideoMemory(doc, text);
    CheckReservedBits(doc, text);
    return text;
}

} // namespace zlc

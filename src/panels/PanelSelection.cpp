#include "panels/PanelSelection.h"

#include "base/BuildInfo.h"
#include "base/Format.h"
#include "model/SettingsTable.h"

namespace zlc {

namespace {

using namespace SettingId;

bool Agree(int64_t a, int64_t b) {
    return a == b || a < 0 || b < 0;
}

int32_t Setting(const ConfigDocument& doc, int id) {
    return static_cast<int32_t>(GetSetting(doc, id));
}

// A definition's value for a setting; the settings take 32-bit words, so a
// negative number arrives as its two's complement, as it always has.
uint32_t Word(int64_t value) {
    return static_cast<uint32_t>(value);
}

// Flags, formats and polarities that do not apply or are unknown set 0.
uint32_t OrZero(int32_t value) {
    return value < 0 ? 0 : static_cast<uint32_t>(value);
}

} // namespace

PanelDefinition ReferenceDefinition(const ConfigDocument& doc) {
    PanelDefinition r;
    r.type = Setting(doc, TftStn) + 1;
    r.width = Setting(doc, HorzPanelSize);
    r.height = Setting(doc, VertPanelSize);
    r.isEL = 0;
    r.dataWidth = Setting(doc, DataWidthBits);
    r.needsTft2x = kPanelNotApplicable;
    r.dataFormat = GetSetting(doc, PanelDataFormat) != 0 ? 1 : 0;
    r.isColor = GetSetting(doc, ColorMono) != 0 ? 1 : 0;
    r.timing10 = kPanelNotApplicable;
    r.pclkKHz = static_cast<int32_t>(GetSetting(doc, PixelClock) / 1000);
    r.timing12 = kPanelNotApplicable;
    r.timing13 = kPanelNotApplicable;
    r.timing14 = kPanelNotApplicable;
    r.timing15 = kPanelNotApplicable;
    r.fplineStart = Setting(doc, FplineStart);
    r.timing17 = kPanelNotApplicable;
    r.fplinePolarity = Setting(doc, FplinePolarity);
    r.fpframeStart = Setting(doc, FpframeStart);
    r.timing20 = kPanelNotApplicable;
    r.fpframePolarity = Setting(doc, FpframePolarity);
    r.maskFpshift = Setting(doc, MaskFpshift);
    r.hndp = Setting(doc, HorzNonDisplay);
    r.vndp = Setting(doc, VertNonDisplay);
    return r;
}

bool PanelMatches(const PanelDefinition& d, const PanelDefinition& r) {
    if (d.type != r.type || d.width != r.width || d.height != r.height ||
        d.dataWidth != r.dataWidth || d.pclkKHz != r.pclkKHz) {
        return false;
    }
    if (!Agree(d.isEL, r.isEL) || !Agree(d.dataFormat, r.dataFormat) ||
        !Agree(d.isColor, r.isColor) || !Agree(d.timing10, r.timing10) ||
        !Agree(d.timing12, r.timing12) || !Agree(d.timing14, r.timing14) ||
        !Agree(d.fplinePolarity, r.fplinePolarity) ||
        !Agree(d.fpframePolarity, r.fpframePolarity) || !Agree(d.maskFpshift, r.maskFpshift) ||
        !Agree(d.hndp, r.hndp) || !Agree(d.vndp, r.vndp)) {
        return false;
    }
    // A configuration cannot know timing13, 15, 17 and 20: its reference holds
    // "not applicable" there, so they can only agree, never be equal.
    if (d.type > PanelType::STN) {
        const int64_t shiftedStart = int64_t{r.fplineStart} - r.timing13 - r.width;
        if (!Agree(d.needsTft2x, r.needsTft2x) ||
            (d.fplineStart != r.fplineStart && d.fplineStart != shiftedStart) ||
            !Agree(d.timing17, r.timing17) || d.fpframeStart != r.fpframeStart ||
            !Agree(d.timing20, r.timing20)) {
            return false;
        }
    }
    return Agree(d.timing13, r.timing13) && Agree(d.timing15, r.timing15);
}

PanelListContents PanelSelection::FillPanelList() {
    PanelListContents contents;
    if (list_.source == PanelSource::DebugDef && !debugNoteShown_) {
        contents.debugNote = Format(
            "Loaded DEBUG.DEF file.  Note that panels prefixed with ** shouldn't work with %s.\n",
            ChipNumber);
        debugNoteShown_ = true;
    }
    if (list_.PanelCount() == 0) {
        return contents;
    }
    for (const PanelDefinition& d : list_.definitions) {
        std::string entry = d.disqualified ? "**" : "";
        entry.append(d.name);
        contents.entries.push_back(std::move(entry));
    }
    contents.entries.emplace_back(kCustomPanelEntry);
    return contents;
}

std::optional<int> PanelSelection::SelectMatchingPanel(const ConfigDocument& doc) {
    const int count = list_.PanelCount();
    if (!panelMatchPending_ || count == 0) {
        return std::nullopt;
    }
    const PanelDefinition reference = ReferenceDefinition(doc);
    const auto matches = [&](int index) {
        const PanelDefinition& d = list_.PanelAt(index);
        return !d.disqualified && PanelMatches(d, reference);
    };
    // The panel last matched or applied is tried first, so that a
    // configuration that still fits it keeps it even when an earlier panel
    // fits as well.
    const int start = lastPanelIndex_ < 0 ? 0 : lastPanelIndex_;
    if (start < count) {
        if (matches(start)) {
            panelMatchPending_ = false;
            return lastPanelIndex_ = start;
        }
        for (int index = 0; index < count; ++index) {
            if (matches(index)) {
                panelMatchPending_ = false;
                return lastPanelIndex_ = index;
            }
        }
    }
    lastPanelIndex_ = -1;
    return CustomPanelEntry();
}

PanelApplyOutcome
PanelSelection::ApplySelectedPanel(ConfigDocument& doc, int entry,
                                   const std::function<void()>& initPanelControls) {
    using Kind = PanelApplyOutcome::Kind;
    // No selection at all (a negative entry) is treated as "Custom panel".
    if (entry < 0 || entry >= list_.PanelCount()) {
        return {Kind::Refreshed, {}};
    }
    lastPanelIndex_ = entry;
    panelMatchPending_ = false;
    const PanelDefinition& d = list_.PanelAt(entry);
    if (d.disqualified) {
        return {Kind::Rejected, d.reason};
    }

    panelApplyIdle_ = false;
    SetSetting(doc, TftStn, Word(int64_t{d.type} - 1));
    SetSetting(doc, VertPanelSize, Word(d.height));
    SetSetting(doc, HorzPanelSize, Word(d.width));
    SetSetting(doc, PanelDataFormat, OrZero(d.dataFormat));
    SetSetting(doc, ColorMono, Word(d.isColor));
    SetSetting(doc, DataWidthBits, Word(d.dataWidth));
    SetSetting(doc, FplinePolarity, OrZero(d.fplinePolarity));
    SetSetting(doc, FplineStart, Word(d.fplineStart));
    SetSetting(doc, FpframePolarity, OrZero(d.fpframePolarity));
    SetSetting(doc, FpframeStart, Word(d.fpframeStart));
    SetSetting(doc, MaskFpshift, OrZero(d.maskFpshift));
    SetSetting(doc, HorzNonDisplay, Word(d.hndp));
    SetSetting(doc, VertNonDisplay, Word(d.vndp));

    // The pixel clock comes from the clock settings, which a panel leaves to
    // the user; the note says what the panel wants.
    std::string note;
    if (d.pclkKHz != static_cast<int64_t>(GetSetting(doc, PixelClock) / 1000)) {
        const std::string megahertz = Format("%2d.%03d", d.pclkKHz / 1000, d.pclkKHz % 1000);
        note = Format("Pixel clock should be set to %s MHz.\n", megahertz.c_str());
    }
    if (initPanelControls) {
        initPanelControls();
    }
    panelApplyIdle_ = true;
    return {Kind::Applied, note};
}

} // namespace zlc

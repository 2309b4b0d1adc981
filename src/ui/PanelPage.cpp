#include "ui/PanelPage.h"

#include "base/Format.h"
#include "model/DocumentUpdates.h"
#include "model/SettingTexts.h"
#include "model/SettingsTable.h"
#include "ui/SettingControls.h"

#include <algorithm>
#include <iterator>
#include <span>

namespace zlc::ui {

namespace {

using namespace SettingId;

constexpr int kStn = 1501;
constexpr int kFormat2 = 1503;
constexpr int kFirstDataWidth = 1504;
constexpr int kMono = 1506;
constexpr int kDual = 1508;
constexpr int kLastPolarityButton = 1513;
constexpr int kFplineLow = 1510;
constexpr int kFplineHigh = 1511;
constexpr int kFpframeLow = 1512;
constexpr int kFpframeHigh = 1513;
constexpr int kWidthCombo = 1514;
constexpr int kHeightCombo = 1515;
constexpr int kFrameRateText = 1528;
constexpr int kPixelClockText = 1529;
constexpr int kFrameRepeat = 1531;
constexpr int kMaskFpshift = 1532;
constexpr int kFplineLabel = 3004;
constexpr int kFpframeLabel = 3005;

constexpr int kSizeDigits = 4;
constexpr int kTripleDigits = 4;
constexpr int kPanelListDropDownPixels = 200;
// Counted in units of 8 pixels: the arrows speed up to 32 after two seconds.
constexpr UpDownSteps kEightPixelSteps{8, 32, 2000};
constexpr int kEightPixels = 8;

constexpr SettingTriple kTriples[] = {
    {HorzNonDisplay, 1516, 1517, 1518, true},
    {VertNonDisplay, 1519, 1520, 1521, false},
    {FplineStart, 1522, 1523, 1524, true},
    {FpframeStart, 1525, 1526, 1527, false},
};

// Two radio buttons whose setting is the offset of the checked one from the
// first: 0 or 1.
struct RadioPair {
    int first;
    int setting;
};

constexpr RadioPair kRadioPairs[] = {
    {kFirstDataWidth, DataWidthChoice},
    {kMono, ColorMono},
    {kDual, DualSingle},
    {kFplineLow, FplinePolarity},
    {kFpframeLow, FpframePolarity},
};

// A check box that the page switches off while it does not apply, with the
// user's remembered choice for it.
struct RememberedBox {
    int box;
    int setting;
    bool PanelChoices::*wanted;
};

constexpr RememberedBox kRememberedBoxes[] = {
    {kFormat2, PanelDataFormat, &PanelChoices::format2Wanted},
    {kFrameRepeat, FrameRepeat, &PanelChoices::frameRepeatWanted},
    {kMaskFpshift, MaskFpshift, &PanelChoices::maskFpshiftWanted},
};
static_assert(std::size(kRememberedBoxes) == PanelPage::kRememberedBoxCount);

// Format 2 belongs to colour passive panels with 8-bit data, Frame Repeat to
// passive panels, Mask FPSHIFT to mono passive panels.
bool BoxApplies(const ConfigDocument& doc, int box) {
    const bool stn = GetSetting(doc, TftStn) == 0;
    const bool color = GetSetting(doc, ColorMono) != 0;
    switch (box) {
    case kFormat2:
        return stn && color && GetSetting(doc, DataWidthChoice) == 1;
    case kFrameRepeat:
        return stn;
    default:
        return stn && !color;
    }
}

// The triple any of whose three controls is `control`.
const SettingTriple* TripleOf(int control) {
    for (const SettingTriple& triple : kTriples) {
        if (triple.edit == control || triple.upDown == control || triple.bar == control) {
            return &triple;
        }
    }
    return nullptr;
}

bool IsNonDisplayPeriod(const SettingTriple& triple) {
    return triple.setting == HorzNonDisplay || triple.setting == VertNonDisplay;
}

std::string Decimal(uint32_t value) {
    return Format("%u", value);
}

} // namespace

void RememberPanelChoices(UiState& state) {
    state.panelChoices.format2Wanted = GetSetting(state.doc, PanelDataFormat) != 0;
    state.panelChoices.frameRepeatWanted = GetSetting(state.doc, FrameRepeat) != 0;
    state.panelChoices.maskFpshiftWanted = GetSetting(state.doc, MaskFpshift) != 0;
}

void PanelPage::Create() {
    for (size_t i = 0; i < std::size(kRememberedBoxes); ++i) {
        applied_[i] = BoxApplies(doc(), kRememberedBoxes[i].box);
    }
    InitPanelControls();
    ShowPixelClock();
    FillPanelList();
    state_.panelSelection.RequestMatch();
    SelectMatchingPanel();
    host_.SetTextLimit(kWidthCombo, kSizeDigits);
    host_.SetTextLimit(kHeightCombo, kSizeDigits);
    host_.SetDropDownWidth(kPanelList, kPanelListDropDownPixels);
}

void PanelPage::InitPanelControls() {
    for (int id = kStn; id <= kLastPolarityButton; ++id) {
        host_.SetChecked(id, false);
    }
    host_.SetChecked(kFrameRepeat, false);
    host_.SetChecked(kMaskFpshift, false);

    const uint32_t tft = GetSetting(doc(), TftStn);
    const bool color = GetSetting(doc(), ColorMono) != 0;
    const uint32_t dataWidth = GetSetting(doc(), DataWidthChoice);
    host_.SetChecked(kStn + static_cast<int>(tft), true);
    ShowDataWidthCaptions(tft != 0);
    host_.SetChecked(kFirstDataWidth + static_cast<int>(dataWidth), true);
    host_.SetChecked(kMono + (color ? 1 : 0), true);
    host_.SetChecked(kDual + (GetSetting(doc(), DualSingle) != 0 ? 1 : 0), true);

    PanelChoices& choices = state_.panelChoices;
    if (tft == 0 && color && dataWidth == 1) {
        choices.format2Wanted = GetSetting(doc(), PanelDataFormat) != 0;
    }
    host_.SetChecked(kFormat2, choices.format2Wanted);
    if (tft == 0 && !color) {
        choices.frameRepeatWanted = GetSetting(doc(), FrameRepeat) != 0;
        choices.maskFpshiftWanted = GetSetting(doc(), MaskFpshift) != 0;
    }
    host_.SetChecked(kFrameRepeat, choices.frameRepeatWanted);
    host_.SetChecked(kMaskFpshift, choices.maskFpshiftWanted);

    host_.SetChecked(GetSetting(doc(), FplinePolarity) != 0 ? kFplineHigh : kFplineLow, true);
    host_.SetChecked(GetSetting(doc(), FpframePolarity) != 0 ? kFpframeHigh : kFpframeLow, true);

    FillSizeList(kWidthCombo, HorzPanelSize);
    FillSizeList(kHeightCombo, VertPanelSize);
    for (const SettingTriple& triple : kTriples) {
        InitTriple(triple);
    }
    ShowFrameRate(PanelFrameRate(doc()));
    UpdateDependentControls();
}

void PanelPage::ShowDataWidthCaptions(bool tft) {
    host_.SetText(kFirstDataWidth, tft ? "9-bit" : "4-bit");
    host_.SetText(kFirstDataWidth + 1, tft ? "12-bit" : "8-bit");
}

// The named values of the setting, and the current value when it has no
// entry of its own.
void PanelPage::FillSizeList(int combo, int setting) {
    host_.ClearItems(combo);
    for (uint32_t value = 0;; ++value) {
        const auto name = GetValueName(doc(), setting, value);
        if (!name) {
            break;
        }
        host_.AddItem(combo, *name);
    }
    const std::string current = Decimal(GetSetting(doc(), setting));
    int index = -1;
    for (int i = 0; i < host_.ItemCount(combo); ++i) {
        if (host_.ItemText(combo, i) == current) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        host_.AddItem(combo, current);
        index = host_.ItemCount(combo) - 1;
    }
    host_.SetSelection(combo, index);
}

void PanelPage::InitTriple(const SettingTriple& triple) {
    const int low = static_cast<int>(GetSettingMin(doc(), triple.setting));
    const int high = static_cast<int>(GetSettingMax(doc(), triple.setting));
    const int value = static_cast<int>(GetSetting(doc(), triple.setting));
    host_.SetTextLimit(triple.edit, kTripleDigits);
    host_.SetUpDownSteps(triple.upDown, triple.stepsOfEight ? kEightPixelSteps : UpDownSteps{});
    host_.SetRange(triple.upDown, low, high);
    host_.SetPosition(triple.upDown, value);
    host_.AttachBar(triple.bar, triple.edit, triple.stepsOfEight ? kEightPixels : 1);
    host_.SetRange(triple.bar, low, high);
    host_.SetPosition(triple.bar, value);
}

// Each remembered choice comes back when a change of the panel makes its box
// apply again, and a box that stops applying clears its setting. While a box
// keeps applying or not, its setting is the document's: showing the page
// changes nothing, and a bit that a file holds for a box that does not apply
// stays as it is.
void PanelPage::ApplyRememberedChoice(size_t index) {
    const RememberedBox& remembered = kRememberedBoxes[index];
    const bool applies = BoxApplies(doc(), remembered.box);
    if (applies != applied_[index]) {
        applied_[index] = applies;
        if (!applies) {
            SetSetting(doc(), remembered.setting, 0);
        } else if (state_.panelChoices.*remembered.wanted) {
            SetSetting(doc(), remembered.setting, 1);
        }
    }
    host_.SetEnabled(remembered.box, applies);
    host_.SetChecked(remembered.box, applies && GetSetting(doc(), remembered.setting) != 0);
}

void PanelPage::UpdateDependentControls() {
    const bool stn = GetSetting(doc(), TftStn) == 0;
    for (size_t i = 0; i < std::size(kRememberedBoxes); ++i) {
        ApplyRememberedChoice(i);
    }
    for (int id = kMono; id <= kDual + 1; ++id) {
        host_.SetEnabled(id, stn);
    }
    for (int id : {kFplineLabel, kFpframeLabel}) {
        host_.SetEnabled(id, !stn);
    }
    for (const SettingTriple& triple : std::span(kTriples).subspan(2)) {
        for (int id : {triple.edit, triple.upDown, triple.bar}) {
            host_.SetEnabled(id, !stn);
        }
    }
}

void PanelPage::UpdateFrameRate() {
    zlc::UpdateFrameRate(doc());
    ShowFrameRate(GetSetting(doc(), FrameRate));
}

void PanelPage::ShowFrameRate(uint32_t hz) {
    host_.SetText(kFrameRateText, Format(" %d Hz", static_cast<int>(hz)));
}

void PanelPage::ShowPixelClock() {
    const uint32_t hz = GetSetting(doc(), PixelClock) / (GetSetting(doc(), InputClockDivide) + 1);
    host_.SetText(kPixelClockText, Format(" %u.%03u MHz", hz / 1000000, (hz / 1000) % 1000));
}

void PanelPage::Refresh(int control, const std::string& note) {
    UpdateDependentControls();
    state_.panelSelection.RequestMatch();
    SelectMatchingPanel();
    state_.diagnostics.Update(control, DIAG_STICKY, note);
}

// A new type brings the polarities such panels usually have: active low for
// TFT, active high for STN.
bool PanelPage::SelectPanelType(uint32_t type) {
    if (!SetSetting(doc(), TftStn, type)) {
        return false;
    }
    const bool tft = type != 0;
    ShowDataWidthCaptions(tft);
    host_.SetChecked(kFplineLow, tft);
    host_.SetChecked(kFpframeLow, tft);
    host_.SetChecked(kFplineHigh, !tft);
    host_.SetChecked(kFpframeHigh, !tft);
    SetSetting(doc(), FplinePolarity, tft ? 0 : 1);
    SetSetting(doc(), FpframePolarity, tft ? 0 : 1);
    return true;
}

void PanelPage::OnClicked(int id) {
    bool changed = false;
    if (id == kStn || id == kStn + 1) {
        changed = SelectPanelType(static_cast<uint32_t>(id - kStn));
    }
    for (const RadioPair& pair : kRadioPairs) {
        if (id == pair.first || id == pair.first + 1) {
            changed = SetSetting(doc(), pair.setting, static_cast<uint32_t>(id - pair.first));
        }
    }
    for (const RememberedBox& remembered : kRememberedBoxes) {
        if (id == remembered.box) {
            const bool checked = host_.IsChecked(id);
            state_.panelChoices.*remembered.wanted = checked;
            changed = SetSetting(doc(), remembered.setting, checked ? 1 : 0);
        }
    }
    if (changed) {
        Refresh(id);
    }
}

void PanelPage::CommitWidth() {
    const auto typed = ParseDecimalField(host_, kWidthCombo);
    if (!typed) {
        ReportInvalidInput(host_, state_, kWidthCombo, false);
        return;
    }
    uint32_t width = typed->whole;
    if (width == GetSetting(doc(), HorzPanelSize)) { // left as shown: no entry
        ClearInputError(state_, kWidthCombo);
        return;
    }
    if (width < GetSettingMin(doc(), HorzPanelSize) ||
        width > GetSettingMax(doc(), HorzPanelSize)) {
        ReportInvalidInput(host_, state_, kWidthCombo, true);
        return;
    }
    // The chip counts STN lines in 16-pixel and TFT lines in 8-pixel units.
    const uint32_t unit = GetSetting(doc(), TftStn) == 0 ? 16 : 8;
    std::string note;
    if (width % unit != 0) {
        width = (width / unit + 1) * unit;
        host_.SetText(kWidthCombo, Decimal(width));
        note = "NOTE: The panel width was rounded up to the closest allowable value.\n";
    }
    const bool changed = SetSetting(doc(), HorzPanelSize, width);
    if (!changed && note.empty()) {
        ClearInputError(state_, kWidthCombo);
        return;
    }
    UpdateFrameRate();
    ClearInputError(state_, kWidthCombo);
    Refresh(kWidthCombo, note);
}

void PanelPage::CommitHeight() {
    const auto typed = ParseDecimalField(host_, kHeightCombo);
    if (!typed) {
        ReportInvalidInput(host_, state_, kHeightCombo, false);
        return;
    }
    const uint32_t height = typed->whole;
    if (height == GetSetting(doc(), VertPanelSize)) {
        ClearInputError(state_, kHeightCombo);
        return;
    }
    if (height < GetSettingMin(doc(), VertPanelSize) ||
        height > GetSettingMax(doc(), VertPanelSize)) {
        ReportInvalidInput(host_, state_, kHeightCombo, true);
        return;
    }
    const bool changed = SetSetting(doc(), VertPanelSize, height);
    if (changed) {
        UpdateFrameRate();
    }
    ClearInputError(state_, kHeightCombo);
    if (changed) {
        Refresh(kHeightCombo);
    }
}

// Out-of-range values are brought into range, and values in units of 8
// rounded down to a whole unit, with a note; never refused. A value left as
// the field showed it is no entry, even one outside the range.
void PanelPage::CommitTriple(const SettingTriple& triple) {
    const auto typed = ParseDecimalField(host_, triple.edit);
    if (!typed) {
        ReportInvalidInput(host_, state_, triple.edit, false);
        return;
    }
    if (typed->whole == GetSetting(doc(), triple.setting)) {
        ClearInputError(state_, triple.edit);
        return;
    }
    const uint32_t low = GetSettingMin(doc(), triple.setting);
    const uint32_t high = GetSettingMax(doc(), triple.setting);
    const uint32_t value = std::clamp(typed->whole, low, high);
    SetSetting(doc(), triple.setting, value);
    // What was typed differs from what the field held, so either the
    // setting changed or the value was brought to the one it holds.
    const uint32_t stored = GetSetting(doc(), triple.setting);
    host_.SetText(triple.edit, Decimal(stored));
    std::string note;
    if (stored != typed->whole) {
        note = Format("NOTE: The %s was set to the closest allowable value.\n",
                      SettingText(triple.setting, TextStyle::Name).c_str());
    }
    host_.SetPosition(triple.bar, static_cast<int>(stored));
    ClearInputError(state_, triple.edit);
    if (IsNonDisplayPeriod(triple)) {
        UpdateFrameRate();
    }
    Refresh(triple.edit, note);
}

void PanelPage::OnFocusLost(int id) {
    if (id == kWidthCombo) {
        CommitWidth();
    } else if (id == kHeightCombo) {
        CommitHeight();
    } else if (const SettingTriple* triple = TripleOf(id); triple && triple->edit == id) {
        CommitTriple(*triple);
    }
}

void PanelPage::OnSelectionChanged(int id) {
    if (id == kWidthCombo) {
        CommitWidth();
    } else if (id == kHeightCombo) {
        CommitHeight();
    }
}

void PanelPage::OnSelectionConfirmed(int id) {
    if (id == kPanelList) {
        ApplySelectedPanel();
    }
}

void PanelPage::OnScrolled(int id, int position) {
    const SettingTriple* triple = TripleOf(id);
    if (triple == nullptr || id == triple->edit) {
        return;
    }
    const bool changed = SetSetting(doc(), triple->setting, static_cast<uint32_t>(position));
    if (id == triple->upDown) {
        host_.SetPosition(triple->bar, position);
    }
    if (!changed) {
        return;
    }
    if (IsNonDisplayPeriod(*triple)) {
        UpdateFrameRate();
    }
    Refresh(id);
}

void PanelPage::FillPanelList() {
    const PanelListContents contents = state_.panelSelection.FillPanelList();
    if (!contents.debugNote.empty()) {
        state_.diagnostics.Update(kPanelList, DIAG_STICKY_ALWAYS, contents.debugNote);
    }
    if (contents.entries.empty()) {
        return;
    }
    host_.ClearItems(kPanelList);
    for (const std::string& entry : contents.entries) {
        host_.AddItem(kPanelList, entry);
    }
}

void PanelPage::SelectMatchingPanel() {
    const auto entry = state_.panelSelection.SelectMatchingPanel(doc());
    if (entry && host_.Selection(kPanelList) != *entry) {
        host_.SetSelection(kPanelList, *entry);
    }
}

void PanelPage::ApplySelectedPanel() {
    using Kind = PanelApplyOutcome::Kind;
    const int entry = host_.Selection(kPanelList);
    const PanelApplyOutcome outcome =
        state_.panelSelection.ApplySelectedPanel(doc(), entry, [this] {
            zlc::UpdateFrameRate(doc());
            InitPanelControls();
        });
    switch (outcome.kind) {
    case Kind::Refreshed:
        state_.diagnostics.Update(kPanelList, DIAG_STICKY | DIAG_NOT_STICKY);
        break;
    case Kind::Rejected:
        host_.SetSelection(kPanelList, entry);
        state_.diagnostics.Update(kPanelList, DIAG_ERROR, outcome.message);
        break;
    case Kind::Applied:
        host_.SetSelection(kPanelList, entry);
        state_.diagnostics.Update(kPanelList, DIAG_STICKY | DIAG_NOT_STICKY, outcome.message);
        break;
    }
}

} // namespace zlc::ui

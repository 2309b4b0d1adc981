#include "ui/SettingControls.h"

#include "base/Format.h"
#include "model/SettingTexts.h"
#include "model/SettingsTable.h"
#include "ui/ControlBindings.h"

namespace zlc::ui {

namespace {

constexpr size_t kFieldTextLimit = 40;
constexpr int kClkiCombo = 1401;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string FieldText(const DialogHost& host, int control) {
    const int selected = host.Selection(control);
    if (selected >= 0) {
        return host.ItemText(control, selected);
    }
    return host.GetText(control);
}

} // namespace

std::optional<uint32_t> ParseHexText(std::string_view text) {
    text = text.substr(0, kFieldTextLimit);
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<DecimalValue> ParseDecimalText(std::string_view text) {
    text = text.substr(0, kFieldTextLimit);
    uint64_t whole = 0;
    uint32_t fraction = 0;
    int fractionDigits = 0;
    bool inFraction = false;
    for (const char c : text) {
        if (IsBlank(c)) {
            continue;
        }
        if (c == '.') {
            if (inFraction) {
                return std::nullopt;
            }
            inFraction = true;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const uint32_t digit = static_cast<uint32_t>(c - '0');
        if (!inFraction) {
            whole = whole * 10 + digit;
            if (whole > UINT32_MAX) {
                return std::nullopt;
            }
        } else if (fractionDigits < 3) {
            static constexpr uint32_t kWeights[3] = {100, 10, 1};
            fraction += digit * kWeights[fractionDigits++];
        }
    }
    return DecimalValue{static_cast<uint32_t>(whole), whole * 1000 + fraction};
}

std::optional<uint32_t> ParseHexField(const DialogHost& host, int control) {
    return ParseHexText(host.GetText(control));
}

std::optional<DecimalValue> ParseDecimalField(const DialogHost& host, int control) {
    return ParseDecimalText(FieldText(host, control));
}

std::string ControlValueText(const ConfigDocument& doc, int control) {
    const int setting = SettingOfControl(control);
    if (control == kClkiCombo) {
        const uint32_t hz = GetSetting(doc, setting);
        return Format("%u.%03u", hz / 1000000, (hz / 1000) % 1000);
    }
    return FormatSettingValue(doc, setting);
}

void ReportInvalidInput(DialogHost& host, UiState& state, int control, bool withRange) {
    if (!state.appActive) {
        return;
    }
    const int setting = SettingOfControl(control);
    state.diagnostics.pendingErrorControl = 0;
    const std::string typed = host.GetText(control).substr(0, kFieldTextLimit);
    const std::string name = SettingText(setting, TextStyle::Name | TextStyle::Compact);
    const std::string message =
        withRange ? Format("ERROR: \"%s\" is not a valid %s (must be between %d and %d)!\n",
                           typed.c_str(), name.c_str(),
                           static_cast<int>(GetSettingMin(state.doc, setting)),
                           static_cast<int>(GetSettingMax(state.doc, setting)))
                  : Format("ERROR: \"%s\" is not a valid %s!\n", typed.c_str(), name.c_str());
    state.diagnostics.Update(control, DIAG_ERROR, message);
    state.diagnostics.pendingErrorControl = control;
    host.RequestFocus(control);
    host.SetText(control, ControlValueText(state.doc, control));
    host.SelectAllText(control);
}

void ClearInputError(UiState& state, int control) {
    if (state.appActive && state.diagnostics.pendingErrorControl == control) {
        state.diagnostics.pendingErrorControl = 0;
        state.diagnostics.Update(control, DIAG_STICKY);
    }
}

} // namespace zlc::ui

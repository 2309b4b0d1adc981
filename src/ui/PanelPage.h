#pragma once

#include "ui/Page.h"

#include <array>
#include <string>

namespace zlc::ui {

// A setting shown as an edit field with an up-down control and a bar.
struct SettingTriple {
    int setting;
    int edit;
    int upDown;
    int bar;
    bool stepsOfEight; // counted in units of 8 pixels
};

// Chooses the panel's type, size, timings and polarities, or a predefined
// panel that sets them all.
class PanelPage final : public Page {
  public:
    using Page::Page;

    void Create() override;
    void OnClicked(int id) override;
    void OnFocusLost(int id) override;
    void OnSelectionChanged(int id) override;
    void OnSelectionConfirmed(int id) override;
    void OnScrolled(int id, int position) override;

    static constexpr size_t kRememberedBoxCount = 3;
    // The drop-down list of predefined panels.
    static constexpr int kPanelList = 1530;

  private:
    void InitPanelControls();
    void UpdateDependentControls();
    void ApplyRememberedChoice(size_t index);
    void ShowDataWidthCaptions(bool tft);
    void FillSizeList(int combo, int setting);
    void InitTriple(const SettingTriple& triple);
    void UpdateFrameRate();
    void ShowFrameRate(uint32_t hz);
    void ShowPixelClock();

    bool SelectPanelType(uint32_t type);
    void CommitWidth();
    void CommitHeight();
    void CommitTriple(const SettingTriple& triple);
    void Refresh(int control, const std::string& note = {});

    void FillPanelList();
    void SelectMatchingPanel();
    void ApplySelectedPanel();

    // Whether each remembered box applied when the page last looked.
    std::array<bool, kRememberedBoxCount> applied_{};
};

// Takes the Panel page's remembered choices from the document, as a file is
// opened: they are that file's until the user changes them.
void RememberPanelChoices(UiState& state);

} // namespace zlc::ui

#pragma once
// A panel without windows for host tests: the control properties the user would
// have typed, 时钟1's period rules, and a record of everything the code wrote or
// showed. Time comes from a clock the test hands in (the fake desktop's).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panel/panel_controls.h"

namespace korrelin {

class FakePanel : public PanelControls, public PanelShell {
  public:
    struct ShownMessageBox {
        std::string text;
        std::string caption;
        std::int32_t periodWhenShown = 0;  // 时钟1 must be stopped behind a modal box
    };

    explicit FakePanel(std::function<std::uint64_t()> clockMs = [] { return 0; });

    // What the user typed and picked. An empty box reads as nullopt, as the real one.
    std::optional<std::string> channelBox = "77385929";  // 编辑框1
    std::optional<std::string> periodBox = "100";        // 编辑框2
    std::int32_t selection = 0;                          // 组合框2
    std::optional<std::string> statusCaption;            // 标签1

    // Closes the panel: every later use of a control is counted as a fault.
    void Close() { exists_ = false; }
    int ControlUsesAfterClose() const { return controlUsesAfterClose_; }

    // The period of 时钟1 now, without counting as a use of the control.
    std::int32_t CurrentPeriod() const { return period_; }
    // Every value handed to WritePeriod, as given.
    const std::vector<std::int32_t>& PeriodWrites() const { return periodWrites_; }
    // When the countdown of 时钟1 last started afresh (a write that changed the period).
    std::optional<std::uint64_t> CountdownStartMs() const { return countdownStartMs_; }
    // True when a tick is due at the clock's present time; the countdown then goes on
    // from that tick, and ticks that fell due meanwhile merge into this one.
    bool TakeDueTick();

    const std::vector<std::optional<std::string>>& CaptionWrites() const { return captionWrites_; }
    const std::vector<ShownMessageBox>& MessageBoxes() const { return messageBoxes_; }
    const std::vector<std::string>& OpenedAddresses() const { return openedAddresses_; }

    // PanelControls
    std::optional<std::string> ReadEditText(EditBox box) override;
    void WriteStatusCaption(std::optional<std::string_view> caption) override;
    void WritePeriod(std::int32_t milliseconds) override;
    std::int32_t ReadPeriod() const override;
    std::int32_t ReadSelection() override;
    bool PanelExists() const override { return exists_; }

    // PanelShell
    void ShowMessageBox(std::string_view text, std::string_view caption) override;
    void OpenWebAddress(std::string_view address) override;

  private:
    void NoteControlUse() const;

    std::function<std::uint64_t()> clockMs_;
    bool exists_ = true;
    mutable int controlUsesAfterClose_ = 0;
    std::int32_t period_ = 0;
    std::optional<std::uint64_t> countdownStartMs_;
    std::vector<std::int32_t> periodWrites_;
    std::vector<std::optional<std::string>> captionWrites_;
    std::vector<ShownMessageBox> messageBoxes_;
    std::vector<std::string> openedAddresses_;
};

}  // namespace korrelin

#pragma once
// The panel: the program's one window, its controls, and the control properties and
// shell operations that the portable handlers use.

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "panel/panel_app.h"
#include "panel/panel_controls.h"
#include "panel/panel_layout.h"
#include "panel/period_timer.h"

namespace korrelin {

// 时钟1 on the system's window timer: ticks arrive as WM_TIMER in the panel's queue.
class WindowTimerDriver : public TimerDriver {
  public:
    static constexpr UINT_PTR kTimerId = 1;

    WindowTimerDriver() = default;
    WindowTimerDriver(const WindowTimerDriver&) = delete;
    WindowTimerDriver& operator=(const WindowTimerDriver&) = delete;
    ~WindowTimerDriver() override { StopTicking(); }

    void Attach(HWND window) { window_ = window; }
    void StartTicking(std::int32_t milliseconds) override;
    void StopTicking() override;

  private:
    HWND window_ = nullptr;
    bool ticking_ = false;
};

class PanelWindow : public PanelControls, public PanelShell {
  public:
    explicit PanelWindow(SystemWindows& system);
    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;
    ~PanelWindow() override;

    // Creates the panel and its controls and shows it; false after a fatal error,
    // which has been shown to the user.
    bool Create(HINSTANCE instance);
    // The panel's keyboard handling: sees every message before it is dispatched and
    // returns true when it has consumed it.
    bool PreTranslateMessage(const MSG& message);

    HWND Handle() const { return window_; }
    HWND Control(ControlId id) const;

    // PanelControls
    std::optional<std::string> ReadEditText(EditBox box) override;
    void WriteStatusCaption(std::optional<std::string_view> caption) override;
    void WritePeriod(std::int32_t milliseconds) override { period_.Write(milliseconds); }
    std::int32_t ReadPeriod() const override { return period_.Read(); }
    std::int32_t ReadSelection() override;
    bool PanelExists() const override { return window_ != nullptr; }

    // PanelShell
    void ShowMessageBox(std::string_view text, std::string_view caption) override;
    void OpenWebAddress(std::string_view address) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool CreateControls(HINSTANCE instance);
    void OnCommand(WPARAM wParam);
    void OnActivate(WPARAM wParam);
    void OnDestroy();
    void MoveFocus(bool backwards);

    PanelApp app_;
    WindowTimerDriver timerDriver_;
    PeriodTimer period_{timerDriver_};
    HWND window_ = nullptr;
    std::array<HWND, kPanelControls.size()> controls_{};
    HWND focusBeforeDeactivation_ = nullptr;
    HFONT font_ = nullptr;  // a stock font: nothing to delete
};

// The program's life on the calling thread: OLE, the panel, the message loop.
// Returns the exit status: 0 after the panel has been closed, -1 after a fatal error.
int StartProgram(HINSTANCE instance);

}  // namespace korrelin

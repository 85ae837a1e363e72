#pragma once
// The handlers of the panel's events. The Win32 panel calls them when it dispatches
// the message that raised the event; they reach Windows only through the interfaces
// they are given.

#include "menuwatch/watcher_state.h"
#include "panel/panel_controls.h"
#include "winauto/system_windows.h"

namespace korrelin {

// Lives as long as the panel's message loop: a cycle paused in a pumping wait still
// refers to its watcher state when the panel is closed under it.
class PanelApp {
  public:
    PanelApp(SystemWindows& system, PanelControls& controls, PanelShell& shell)
        : system_(system), controls_(controls), shell_(shell) {}

    void OnPanelCreated();
    void OnStartClicked();    // 按钮1
    void OnStopClicked();     // 按钮2
    void OnWebPageClicked();  // 按钮3
    void OnTimerTick();       // 时钟1

    const WatcherState& watcher() const { return watcher_; }

  private:
    SystemWindows& system_;
    PanelControls& controls_;
    PanelShell& shell_;
    WatcherState watcher_;
};

}  // namespace korrelin

#pragma once
// The commands behind the panel's three buttons. They read and write the panel's
// controls, look at the chat client's windows and switch the menu watcher on or off.

#include "menuwatch/watcher_state.h"
#include "panel/panel_controls.h"
#include "winauto/system_windows.h"

namespace korrelin {

// 按钮1: when the chat client shows the channel typed in 编辑框1 and 编辑框2 holds a
// positive period, switches the watcher on, arms 时钟1 and shows "运行中"; otherwise
// switches it off, stops 时钟1 and tells the user in a message box.
void RunStartCommand(SystemWindows& system, PanelControls& controls, PanelShell& shell,
                     WatcherState& watcher);

// 按钮2: switches the watcher off, stops 时钟1 and shows "停止运作".
void RunStopCommand(PanelControls& controls, WatcherState& watcher);

// 按钮3: opens the tool's web page in the default browser.
void RunWebPageCommand(PanelShell& shell);

}  // namespace korrelin

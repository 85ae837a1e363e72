#pragma once
// The menu watcher: on each tick of 时钟1 it recognises the chat client's member menu
// by class, title and size, opens its submenu and clicks the entry picked in 组合框2.

#include <cstdint>

#include "menuwatch/watcher_state.h"
#include "panel/panel_controls.h"
#include "winauto/system_windows.h"

namespace korrelin {

// How long the cycle keeps asking for a submenu that does not come: one more click
// on the menu and one pause per try.
inline constexpr int kMaxSubmenuTries = 30;
inline constexpr std::int32_t kSubmenuTryPauseMs = 100;

// One run, called for every tick of 时钟1. It stops 时钟1 while it runs and, while the
// watcher stays switched on, arms it again from 编辑框2 when it ends, so the next tick
// comes one period after the end of the run. The panel's messages (button clicks,
// ticks) are handled during its pauses; a tick that arrives then is not run.
void RunMenuWatchCycle(SystemWindows& system, PanelControls& controls, WatcherState& watcher);

}  // namespace korrelin

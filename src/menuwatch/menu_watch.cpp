#include "menuwatch/menu_watch.h"

#include <optional>

#include "panel/panel_texts.h"
#include "panel/text_conversions.h"
#include "winauto/mouse_poster.h"
#include "winauto/pumping_wait.h"
#include "winauto/window_queries.h"

namespace korrelin {

namespace {

// The member menu is the one 408 pixels high; its entry at (40, 200) opens the
// submenu of roles.
constexpr std::int32_t kMenuHeight = 408;
constexpr std::int32_t kMenuEntryX = 40;
constexpr std::int32_t kMenuEntryY = 200;

// The submenu comes in two sizes: 156 x 84, or 106 high at any width.
constexpr std::int32_t kSubmenuWidth = 156;
constexpr std::int32_t kSubmenuHeight = 84;
constexpr std::int32_t kTallSubmenuHeight = 106;
constexpr std::int32_t kSubmenuEntryX = 43;

// Clears cycleRunning however the run ends.
class RunningCycle {
  public:
    explicit RunningCycle(WatcherState& watcher) : watcher_(watcher) {
        watcher_.cycleRunning = true;
    }
    ~RunningCycle() { watcher_.cycleRunning = false; }
    RunningCycle(const RunningCycle&) = delete;
    RunningCycle& operator=(const RunningCycle&) = delete;

  private:
    WatcherState& watcher_;
};

enum class RunEnd { ReArm, PanelClosed };

// The first "QPopup" window titled exactly "菜单": the menu itself, or its submenu
// once that is open and listed first.
WindowHandle FindClientMenu(SystemWindows& system) {
    return system.FindWindowExA(0, 0, kPopupClass, kPopupTitle);
}

// The client may still be sizing the window, so every comparison measures afresh.
bool IsSubmenu(SystemWindows& system, WindowHandle candidate) {
    if (GetWindowBounds(system, candidate).width == kSubmenuWidth &&
        GetWindowBounds(system, candidate).height == kSubmenuHeight) {
        return true;
    }
    return GetWindowBounds(system, candidate).height == kTallSubmenuHeight;
}

// The y of the submenu entry for 组合框2's item, or nothing for a selection the list
// does not offer (such as -1, no item selected): then no entry is clicked.
std::optional<std::int32_t> SubmenuEntryY(std::int32_t selection) {
    switch (selection) {
        case 0:
            return 17;  // 添加为临时嘉宾
        case 1:
            return 41;  // 添加为嘉宾
        case 2:
            return 61;  // 吸纳为会员
        default:
            return std::nullopt;
    }
}

void LeftClick(SystemWindows& system, WindowHandle window, std::int32_t x, std::int32_t y) {
    PostMouseAction(system, window, x, y, std::nullopt, std::nullopt);
}

RunEnd ClickThroughMenu(SystemWindows& system, PanelControls& controls,
                        const WatcherState& watcher) {
    const WindowHandle menu = FindClientMenu(system);
    if (menu == 0 || GetWindowBounds(system, menu).height != kMenuHeight) return RunEnd::ReArm;
    LeftClick(system, menu, kMenuEntryX, kMenuEntryY);

    // The client opens the submenu when it gets round to the click; until then the
    // search finds the menu again. Each try clicks the menu's entry once more.
    for (int tries = 0;; ++tries) {
        const WindowHandle candidate = FindClientMenu(system);
        if (candidate == 0) return RunEnd::ReArm;  // the user closed the menu
        if (IsSubmenu(system, candidate)) {
            if (const auto entryY = SubmenuEntryY(controls.ReadSelection())) {
                LeftClick(system, candidate, kSubmenuEntryX, *entryY);
            }
            return RunEnd::ReArm;
        }
        if (tries == kMaxSubmenuTries) return RunEnd::ReArm;

        LeftClick(system, menu, kMenuEntryX, kMenuEntryY);
        PumpingWait(system, kSubmenuTryPauseMs, std::nullopt);
        // The pause ran the panel's messages: it may have been closed or stopped.
        if (!controls.PanelExists()) return RunEnd::PanelClosed;
        if (!watcher.switchedOn) return RunEnd::ReArm;
    }
}

// Arms 时钟1 for the next run while the watcher is on. A period box that no longer
// reads as a positive number switches the watcher off, and the label says so.
void ReArm(PanelControls& controls, WatcherState& watcher) {
    if (!watcher.switchedOn) return;  // Stop has already stopped 时钟1
    const std::int32_t period = TextToInteger(controls.ReadEditText(EditBox::编辑框2));
    if (period > 0) {
        controls.WritePeriod(period);
        return;
    }
    watcher.switchedOn = false;
    controls.WritePeriod(0);
    controls.WriteStatusCaption(kStatusStopped);
}

}  // namespace

void RunMenuWatchCycle(SystemWindows& system, PanelControls& controls, WatcherState& watcher) {
    if (watcher.cycleRunning) {
        // Only a Start during a pause of the running cycle arms 时钟1 before that cycle
        // ends. Stop it again: the running cycle arms it afresh when it ends, so the
        // next tick still comes one period after that end.
        controls.WritePeriod(0);
        return;
    }
    const RunningCycle running(watcher);
    controls.WritePeriod(0);
    if (!watcher.switchedOn) return;  // a tick that was already queued when Stop came
    if (ClickThroughMenu(system, controls, watcher) == RunEnd::PanelClosed) return;
    ReArm(controls, watcher);
}

}  // namespace korrelin

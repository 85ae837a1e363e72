#include "panel/panel_commands.h"

#include <cstdint>
#include <string>

#include "build_config.h"
#include "panel/panel_texts.h"
#include "panel/text_conversions.h"
#include "winauto/window_queries.h"

namespace korrelin {

namespace {

// Written before any message box: its modal loop dispatches messages, and no tick
// may start a cycle behind it.
void SwitchOff(PanelControls& controls, WatcherState& watcher) {
    watcher.switchedOn = false;
    controls.WritePeriod(0);
}

}  // namespace

void RunStartCommand(SystemWindows& system, PanelControls& controls, PanelShell& shell,
                     WatcherState& watcher) {
    const std::optional<std::string> channelId = controls.ReadEditText(EditBox::编辑框1);
    const std::string fragment = JoinTexts({channelId, kChannelIdEnd});
    if (FindWindowByTitleFragment(system, fragment, kChannelWindowClass) == 0) {
        SwitchOff(controls, watcher);
        shell.ShowMessageBox(kChannelNotFound, kMessageCaption);
        return;
    }

    // A period of 0 or below would leave the timer stopped under a "运行中" label.
    const std::int32_t period = TextToInteger(controls.ReadEditText(EditBox::编辑框2));
    if (period <= 0) {
        SwitchOff(controls, watcher);
        shell.ShowMessageBox(kPeriodNotPositive, kMessageCaption);
        return;
    }
    watcher.switchedOn = true;
    controls.WritePeriod(period);
    controls.WriteStatusCaption(kStatusRunning);
}

void RunStopCommand(PanelControls& controls, WatcherState& watcher) {
    watcher.switchedOn = false;
    controls.WritePeriod(0);
    controls.WriteStatusCaption(kStatusStopped);
}

void RunWebPageCommand(PanelShell& shell) {
    shell.OpenWebAddress(kWebAddress);
}

}  // namespace korrelin

#include "panel/panel_app.h"

#include "menuwatch/menu_watch.h"
#include "panel/panel_commands.h"

namespace korrelin {

void PanelApp::OnPanelCreated() {}

void PanelApp::OnStartClicked() {
    RunStartCommand(system_, controls_, shell_, watcher_);
}

void PanelApp::OnStopClicked() {
    RunStopCommand(controls_, watcher_);
}

void PanelApp::OnWebPageClicked() {
    RunWebPageCommand(shell_);
}

void PanelApp::OnTimerTick() {
    RunMenuWatchCycle(system_, controls_, watcher_);
}

}  // namespace korrelin

#include "panel/panel_app.h"

namespace korrelin {

void PanelApp::OnPanelCreated() {}

void PanelApp::OnStartClicked() {}

void PanelApp::OnStopClicked() {}

void PanelApp::OnWebPageClicked() {}

void PanelApp::OnTimerTick() {}

}  // namespace korrelin

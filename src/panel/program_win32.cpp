#include <ole2.h>

#include "panel/panel_window_win32.h"
#include "winauto/system_windows_win32.h"

namespace korrelin {

namespace {

// OLE stays initialised on the GUI thread for the program's whole life.
class OleSession {
  public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }

  private:
    bool initialised_;
};

}  // namespace

int StartProgram(HINSTANCE instance) {
    OleSession ole;
    Win32SystemWindows system;
    PanelWindow panel(system);
    // The panel's keyboard handling sees every message first, also those that a
    // pumping wait dispatches in the middle of a menu watcher cycle.
    system.SetMessageFilter(
        [&panel](const MSG& message) { return panel.PreTranslateMessage(message); });
    if (!panel.Create(instance)) return -1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (panel.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace korrelin

#pragma once
// The stand-in's four kinds of window. Each draws itself and turns the messages that
// matter into calls on the app; the app decides what happens.

#include <windows.h>

#include <string>

#include "standin/standin_window_win32.h"

namespace korrelin {

class StandinApp;

// WM_APP + 1 to the channel window opens the pop-up for the member in wParam
// (counted from 0), as a right-click on that member would.
inline constexpr UINT kOpenPopupMessage = WM_APP + 1;
// WM_APP + 2 to the channel window logs "event=mark id=<wParam>": posted before and
// after other messages, it brackets in the log what those messages did.
inline constexpr UINT kMarkMessage = WM_APP + 2;

// The channel: class "QWidget", titled "频道 <ID>-<text>", listing the members.
class ChannelWindow : public StandinWindow {
  public:
    ChannelWindow(StandinApp& app, StandinLog& log) : StandinWindow(log, "channel"), app_(app) {}
    bool Open(HINSTANCE instance, const std::wstring& title, const RECT& outer);
    // The screen point at which the pop-up opens for a member without a click.
    POINT MemberAnchor(int member) const;
    void Redraw() { InvalidateRect(handle(), nullptr, TRUE); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnPaint();
    void OnRightButtonUp(LPARAM lParam);
    void OnContextMenu(LPARAM lParam);
    void OnLeftButtonDown();
    void OnKeyDown(WPARAM key);

    StandinApp& app_;
};

// The client's menus, class "QPopup" titled "菜单": the member pop-up (180 pixels
// wide) and the role submenu (156 × 84 unless told otherwise). They differ only in
// their entries and in what a click on an entry does.
class MenuWindow : public StandinWindow {
  public:
    enum class Kind { Popup, Submenu };

    MenuWindow(StandinApp& app, StandinLog& log, Kind kind)
        : StandinWindow(log, kind == Kind::Popup ? "popup" : "submenu"), app_(app), kind_(kind) {}
    bool Open(HINSTANCE instance, const RECT& outer);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnPaint();
    void OnLeftButtonUp(LPARAM lParam);

    StandinApp& app_;
    Kind kind_;
};

// A window of --extra-window: it only logs what it gets.
class ExtraWindow : public StandinWindow {
  public:
    explicit ExtraWindow(StandinLog& log) : StandinWindow(log, "extra") {}
    bool Open(HINSTANCE instance, const std::wstring& className, const std::wstring& title,
              const RECT& outer);
};

// Shows a window at the top of the window order without taking the focus.
void ShowOnTop(HWND window, HWND insertAfter);

// The rectangle of that size at the point, moved into the point's monitor.
RECT RectOnScreen(POINT topLeft, StandinSize size);

}  // namespace korrelin

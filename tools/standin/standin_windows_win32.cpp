#include "standin/standin_windows_win32.h"

#include <algorithm>
#include <array>
#include <optional>

#include "standin/standin_app_win32.h"
#include "standin/standin_menus.h"

namespace korrelin {
namespace {

constexpr int kTextIndent = 12;
constexpr COLORREF kMenuBackground = RGB(248, 248, 248);
constexpr COLORREF kHighlight = RGB(204, 228, 247);
constexpr COLORREF kHintColour = RGB(128, 128, 128);
// A pop-up opened without a click appears this far into the member's row.
constexpr int kMemberAnchorX = 200;

// Paints a menu's entries; the highlighted one (if any) on a coloured band.
template <std::size_t N>
void PaintEntries(HWND window, HFONT font, const StandinListLayout& layout,
                  const std::array<const wchar_t*, N>& labels, std::optional<int> highlighted) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH background = CreateSolidBrush(kMenuBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < layout.count; ++i) {
        const RECT row{client.left, EntryTop(layout, i), client.right,
                       EntryTop(layout, i) + layout.entryHeight};
        if (highlighted == i) {
            HBRUSH band = CreateSolidBrush(kHighlight);
            FillRect(dc, &row, band);
            DeleteObject(band);
        }
        DrawLine(dc, labels[static_cast<std::size_t>(i)],
                 {row.left + kTextIndent, row.top, row.right, row.bottom});
    }
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

}  // namespace

void ShowOnTop(HWND window, HWND insertAfter) {
    SetWindowPos(window, insertAfter, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window);
}

RECT RectOnScreen(POINT topLeft, StandinSize size) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(topLeft, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG left = std::max(work.left, std::min(topLeft.x, work.right - size.width));
    const LONG top = std::max(work.top, std::min(topLeft.y, work.bottom - size.height));
    return {left, top, left + size.width, top + size.height};
}

// --- the channel window

bool ChannelWindow::Open(HINSTANCE instance, const std::wstring& title, const RECT& outer) {
    if (!Create(instance, L"QWidget", title, WS_OVERLAPPEDWINDOW, 0, outer)) return false;
    ShowWindow(handle(), SW_SHOWNORMAL);
    UpdateWindow(handle());
    return true;
}

POINT ChannelWindow::MemberAnchor(int member) const {
    POINT anchor{kMemberAnchorX, EntryTop(kMemberLayout, member) + kMemberLayout.entryHeight / 2};
    ClientToScreen(handle(), &anchor);
    return anchor;
}

LRESULT ChannelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_RBUTTONUP:
            OnRightButtonUp(lParam);
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown();
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam);
            return 0;
        case WM_TIMER:
            app_.OnSubmenuDelayElapsed();
            return 0;
        case kOpenPopupMessage:
            app_.OnMemberMenuRequested(static_cast<int>(wParam),
                                       MemberAnchor(static_cast<int>(wParam)));
            return 0;
        case kMarkMessage:
            app_.OnMark(wParam);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

void ChannelWindow::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    RECT client{};
    GetClientRect(handle(), &client);
    HGDIOBJ oldFont = SelectObject(dc, app_.font());
    SetBkMode(dc, TRANSPARENT);
    const auto& members = app_.members();
    for (int i = 0; i < static_cast<int>(members.size()); ++i) {
        const RECT row{client.left, EntryTop(kMemberLayout, i), client.right,
                       EntryTop(kMemberLayout, i) + kMemberLayout.entryHeight};
        if (app_.PopupMember() == i) {
            HBRUSH band = CreateSolidBrush(kHighlight);
            FillRect(dc, &row, band);
            DeleteObject(band);
        }
        DrawLine(dc, MemberLabel(members[static_cast<std::size_t>(i)]),
                 {row.left + kTextIndent, row.top, row.right, row.bottom});
    }
    SetTextColor(dc, kHintColour);
    DrawLine(dc, L"右键单击成员打开菜单",
             {client.left + kTextIndent, client.bottom - 32, client.right, client.bottom - 8});
    SelectObject(dc, oldFont);
    EndPaint(handle(), &paint);
}

void ChannelWindow::OnRightButtonUp(LPARAM lParam) {
    const StandinPoint point = PointFromLParam(lParam);
    const auto member = EntryAt(kMemberLayout, point, ClientSize());
    if (!member) return;
    POINT screenPoint{point.x, point.y};
    ClientToScreen(handle(), &screenPoint);
    app_.OnMemberMenuRequested(*member, screenPoint);
}

void ChannelWindow::OnContextMenu(LPARAM lParam) {
    const StandinPoint point = PointFromLParam(lParam);
    // (-1, -1): from the keyboard; the menu opens for the first member.
    if (point.x == -1 && point.y == -1) {
        app_.OnMemberMenuRequested(0, MemberAnchor(0));
        return;
    }
    POINT clientPoint{point.x, point.y};
    ScreenToClient(handle(), &clientPoint);
    const auto member = EntryAt(kMemberLayout, {clientPoint.x, clientPoint.y}, ClientSize());
    if (member) app_.OnMemberMenuRequested(*member, {point.x, point.y});
}

void ChannelWindow::OnLeftButtonDown() {
    app_.CloseMenus();
}

void ChannelWindow::OnKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) app_.CloseMenus();
}

// --- the pop-up and the submenu

bool MenuWindow::Open(HINSTANCE instance, const RECT& outer) {
    // A top-level window with no owner, as the tool finds it with FindWindowEx.
    if (!Create(instance, L"QPopup", L"菜单", WS_POPUP | WS_BORDER,
                WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, outer)) {
        return false;
    }
    // On top: a submenu opened later is listed before the pop-up by FindWindowEx.
    ShowOnTop(handle(), HWND_TOPMOST);
    return true;
}

LRESULT MenuWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(lParam);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

void MenuWindow::OnPaint() {
    if (kind_ == Kind::Popup) {
        PaintEntries(handle(), app_.font(), kPopupLayout, kPopupEntryLabels,
                     app_.IsSubmenuOpen() ? std::optional<int>(kSubmenuOpenerEntry) : std::nullopt);
    } else {
        PaintEntries(handle(), app_.font(), kSubmenuLayout, kSubmenuEntryLabels, std::nullopt);
    }
}

void MenuWindow::OnLeftButtonUp(LPARAM lParam) {
    if (kind_ == Kind::Popup) {
        app_.OnPopupClicked();
        const auto entry = EntryAt(kPopupLayout, PointFromLParam(lParam), ClientSize());
        if (entry == kSubmenuOpenerEntry) app_.OnSubmenuOpenerClicked();
        return;
    }
    // The chosen role closes this window: nothing of it is touched afterwards.
    const auto entry = EntryAt(kSubmenuLayout, PointFromLParam(lParam), ClientSize());
    if (entry) app_.OnRoleChosen(*entry);
}

// --- extra windows

bool ExtraWindow::Open(HINSTANCE instance, const std::wstring& className, const std::wstring& title,
                       const RECT& outer) {
    if (!Create(instance, className, title, WS_OVERLAPPEDWINDOW, 0, outer)) return false;
    ShowOnTop(handle(), HWND_TOP);
    return true;
}

}  // namespace korrelin

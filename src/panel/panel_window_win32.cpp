#include "panel/panel_window_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include "winauto/codepage_win32.h"

namespace korrelin {

namespace {

constexpr wchar_t kPanelClassName[] = L"KorrelinPanel";
constexpr wchar_t kIconName[] = L"DEFAULT_ICON";

// The system class, styles and extended styles of each kind of control.
struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            // One line, cut at the right edge, centred vertically; "&" is no prefix.
            return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX, 0};
        case ControlKind::EditBox:
            return {WC_EDITW, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::DropDownList:
            return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case ControlKind::PushButton:
            return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
    }
    return {WC_STATICW, 0, 0};
}

std::size_t IndexOf(ControlId id) {
    return static_cast<std::size_t>(static_cast<int>(id) - static_cast<int>(ControlId::标签2));
}

constexpr bool TableFollowsTheIds() {
    for (std::size_t i = 0; i < kPanelControls.size(); ++i) {
        if (static_cast<int>(kPanelControls[i].id) !=
            static_cast<int>(ControlId::标签2) + static_cast<int>(i))
            return false;
    }
    return true;
}
static_assert(TableFollowsTheIds(),
              "the control table lists the controls in the order of their ids");

void ShowFatalError(const wchar_t* what) {
    MessageBoxW(nullptr, what, L"Korrelin", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool IsModifierDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

}  // namespace

void WindowTimerDriver::StartTicking(std::int32_t milliseconds) {
    if (window_ == nullptr) return;
    ticking_ = SetTimer(window_, kTimerId, static_cast<UINT>(milliseconds), nullptr) != 0;
}

void WindowTimerDriver::StopTicking() {
    if (ticking_ && window_ != nullptr) KillTimer(window_, kTimerId);
    ticking_ = false;
}

PanelWindow::PanelWindow(SystemWindows& system) : app_(system, *this, *this) {}

PanelWindow::~PanelWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

bool PanelWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &PanelWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kPanelClassName;
    // Shared icons belong to the module; nothing to destroy.
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance, kIconName, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                      GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, kIconName, IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ShowFatalError(L"无法注册面板窗口类，程序将退出。");
        return false;
    }

    const PanelPosition position =
        CentredPanelPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    // A fixed border, a title bar with the system menu and the close button only.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const HWND window = CreateWindowExW(
        0, kPanelClassName, WideFromCodePage936(kPanelTitle).c_str(), style, position.left,
        position.top, kPanelWidth, kPanelHeight, nullptr, nullptr, instance, this);
    if (window == nullptr) {
        ShowFatalError(L"无法创建面板窗口，程序将退出。");
        return false;
    }
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    if (bounds.right - bounds.left != kPanelWidth || bounds.bottom - bounds.top != kPanelHeight) {
        SetWindowPos(window_, nullptr, 0, 0, kPanelWidth, kPanelHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowClass.hIcon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowClass.hIconSm));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);

    if (!CreateControls(instance)) {
        ShowFatalError(L"无法创建面板上的控件，程序将退出。");
        return false;
    }
    timerDriver_.Attach(window_);
    for (const ControlSpec& spec : kPanelControls) ShowWindow(Control(spec.id), SW_SHOWNA);
    app_.OnPanelCreated();
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    return true;
}

bool PanelWindow::CreateControls(HINSTANCE instance) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : kPanelControls) {
        const ControlClass controlClass = ClassOf(spec.kind);
        // Created hidden; shown together once all exist.
        const HWND control = CreateWindowExW(
            controlClass.exStyle, controlClass.className, WideFromCodePage936(spec.text).c_str(),
            WS_CHILD | controlClass.style, spec.x, spec.y, spec.width, spec.height, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
        if (control == nullptr) return false;
        controls_[IndexOf(spec.id)] = control;
        SendMessageW(control, WM_SETFONT, font, FALSE);
    }

    // The edit boxes take text of any length.
    SendMessageW(Control(ControlId::编辑框1), EM_SETLIMITTEXT, 0, 0);
    SendMessageW(Control(ControlId::编辑框2), EM_SETLIMITTEXT, 0, 0);

    const HWND list = Control(ControlId::组合框2);
    for (std::string_view item : kRoleItems) {
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromCodePage936(item).c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
    // The dropped-down items are one pixel taller than the font's standard height. Some
    // systems take CB_SETITEMHEIGHT from owner-drawn lists only, so the height is set
    // on the list part itself.
    const LRESULT itemHeight = SendMessageW(list, CB_GETITEMHEIGHT, 0, 0);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    if (itemHeight != CB_ERR && GetComboBoxInfo(list, &parts) && parts.hwndList != nullptr) {
        SendMessageW(parts.hwndList, LB_SETITEMHEIGHT, 0, itemHeight + 1);
    }
    return true;
}

HWND PanelWindow::Control(ControlId id) const {
    return controls_[IndexOf(id)];
}

LRESULT CALLBACK PanelWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* panel =
            static_cast<PanelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        panel->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
    }
    auto* panel = reinterpret_cast<PanelWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (panel == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return panel->HandleMessage(window, message, wParam, lParam);
}

LRESULT PanelWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_TIMER:
            if (wParam == WindowTimerDriver::kTimerId) app_.OnTimerTick();
            return 0;
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PanelWindow::OnCommand(WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED) return;
    switch (static_cast<ControlId>(LOWORD(wParam))) {
        case ControlId::按钮1:
            app_.OnStartClicked();
            break;
        case ControlId::按钮2:
            app_.OnStopClicked();
            break;
        case ControlId::按钮3:
            app_.OnWebPageClicked();
            break;
        default:
            break;
    }
}

void PanelWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) focusBeforeDeactivation_ = focus;
        return;
    }
    // The first activation focuses 按钮1; later ones give the focus back.
    SetFocus(focusBeforeDeactivation_ != nullptr ? focusBeforeDeactivation_
                                                 : Control(ControlId::按钮1));
}

void PanelWindow::OnDestroy() {
    timerDriver_.StopTicking();
    timerDriver_.Attach(nullptr);
    window_ = nullptr;
    controls_.fill(nullptr);
    focusBeforeDeactivation_ = nullptr;
    PostQuitMessage(0);
}

bool PanelWindow::PreTranslateMessage(const MSG& message) {
    if (window_ == nullptr || message.message != WM_KEYDOWN) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    switch (message.wParam) {
        case VK_TAB:
            MoveFocus(IsModifierDown(VK_SHIFT));
            return true;
        case VK_ESCAPE:
            if (IsModifierDown(VK_SHIFT) || IsModifierDown(VK_CONTROL) || IsModifierDown(VK_MENU))
                return false;
            // Exactly as the close button does.
            SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        default:
            return false;
    }
}

void PanelWindow::MoveFocus(bool backwards) {
    ControlId current = ControlId::标签1;  // outside the order: start at an end
    const HWND focus = GetFocus();
    for (const ControlSpec& spec : kPanelControls) {
        if (focus != nullptr && (Control(spec.id) == focus || IsChild(Control(spec.id), focus)))
            current = spec.id;
    }
    SetFocus(Control(NextInKeyboardOrder(current, backwards)));
}

std::optional<std::string> PanelWindow::ReadEditText(EditBox box) {
    if (window_ == nullptr) return std::nullopt;
    const HWND edit = Control(box == EditBox::编辑框1 ? ControlId::编辑框1 : ControlId::编辑框2);
    const int length = GetWindowTextLengthW(edit);
    if (length <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    if (text.empty()) return std::nullopt;
    return CodePage936FromWide(text);
}

void PanelWindow::WriteStatusCaption(std::optional<std::string_view> caption) {
    if (window_ == nullptr) return;
    const HWND label = Control(ControlId::标签1);
    SetWindowTextW(label, WideFromCodePage936(caption.value_or(std::string_view())).c_str());
    // Redraw at once: the background filled, the new caption drawn on it.
    InvalidateRect(label, nullptr, TRUE);
    UpdateWindow(label);
}

std::int32_t PanelWindow::ReadSelection() {
    if (window_ == nullptr) return -1;
    return static_cast<std::int32_t>(SendMessageW(Control(ControlId::组合框2), CB_GETCURSEL, 0, 0));
}

void PanelWindow::ShowMessageBox(std::string_view text, std::string_view caption) {
    MessageBoxW(nullptr, WideFromCodePage936(text).c_str(), WideFromCodePage936(caption).c_str(),
                MB_OK | MB_TASKMODAL);
}

void PanelWindow::OpenWebAddress(std::string_view address) {
    ShellExecuteW(nullptr, L"open", WideFromCodePage936(address).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

}  // namespace korrelin

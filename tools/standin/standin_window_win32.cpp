#include "standin/standin_window_win32.h"

#include <array>
#include <cstdint>

namespace korrelin {

bool StandinLog::Open(const std::wstring& path) {
    // Readers in other processes read the file while it grows, and may delete it.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    file_.reset(file);
    return true;
}

void StandinLog::Message(std::string_view window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only the low 32 bits: what a 32-bit poster can put there, kept as it came.
    Write(FormatMessageLine(GetTickCount64() - startMs_, window, message,
                            static_cast<std::uint32_t>(wParam),
                            static_cast<std::uint32_t>(lParam)));
}

void StandinLog::Event(std::string_view event, std::initializer_list<StandinLogField> fields) {
    Write(FormatEventLine(GetTickCount64() - startMs_, event, fields));
}

void StandinLog::Write(const std::string& line) {
    if (!file_) return;
    DWORD written = 0;
    WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void WindowTimer::Start(UINT milliseconds) {
    running_ = SetTimer(window_, id_, milliseconds, nullptr) != 0;
}

void WindowTimer::Stop() {
    if (!running_) return;
    KillTimer(window_, id_);
    running_ = false;
}

bool IsLoggedMouseMessage(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
        case WM_CONTEXTMENU:
            return true;
        default:
            return false;
    }
}

std::string WindowHandleField(HWND window) {
    return HexField(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)));
}

StandinWindow::~StandinWindow() {
    Destroy();
}

void StandinWindow::Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);  // WM_NCDESTROY clears window_
}

bool StandinWindow::RegisterWindowClass(HINSTANCE instance, const std::wstring& className) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool StandinWindow::Create(HINSTANCE instance, const std::wstring& className,
                           const std::wstring& title, DWORD style, DWORD exStyle,
                           const RECT& outer) {
    CreateWindowExW(exStyle, className.c_str(), title.c_str(), style, outer.left, outer.top,
                    outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                    this);
    return window_ != nullptr;
}

LRESULT StandinWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT StandinWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsLoggedMouseMessage(message)) return 0;
    return DefWindowProcW(window_, message, wParam, lParam);
}

StandinSize StandinWindow::ClientSize() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {client.right - client.left, client.bottom - client.top};
}

LRESULT CALLBACK StandinWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<StandinWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<StandinWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (IsLoggedMouseMessage(message)) self->log_.Message(self->logName_, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

StandinPoint PointFromLParam(LPARAM lParam) {
    const auto bits = static_cast<std::uint32_t>(lParam);
    return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

namespace {

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsFaceInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

UniqueFont CreateChineseFont(int pixelHeight) {
    constexpr std::array<const wchar_t*, 6> kFaces{
        L"Microsoft YaHei",     L"微软雅黑",        L"SimSun", L"宋体",
        L"WenQuanYi Micro Hei", L"Noto Sans CJK SC"};
    const wchar_t* face = L"";
    HDC screen = GetDC(nullptr);
    for (const wchar_t* candidate : kFaces) {
        if (IsFaceInstalled(screen, candidate)) {
            face = candidate;
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return UniqueFont(CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

void DrawLine(HDC dc, const std::wstring& text, RECT rect) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace korrelin

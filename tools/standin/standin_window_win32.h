#pragma once
// The building blocks of the stand-in's windows: the log file, a window base class
// that logs every mouse message before its subclass sees it, and RAII wrappers for
// the font and the timer.

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "standin/standin_log.h"
#include "standin/standin_options.h"

namespace korrelin {

struct CloseHandleDeleter {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueFileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, CloseHandleDeleter>;

struct DeleteFontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteFontDeleter>;

// The log of --log, or nothing when no file was given. Every line goes to the file
// with its own WriteFile, so a reader in another process sees it at once.
class StandinLog {
  public:
    // False when the file cannot be created.
    bool Open(const std::wstring& path);
    void Message(std::string_view window, UINT message, WPARAM wParam, LPARAM lParam);
    void Event(std::string_view event, std::initializer_list<StandinLogField> fields = {});

  private:
    void Write(const std::string& line);

    UniqueFileHandle file_;
    ULONGLONG startMs_ = GetTickCount64();
};

// A SetTimer timer of one window, killed when the wrapper goes.
class WindowTimer {
  public:
    WindowTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
    ~WindowTimer() { Stop(); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    void Start(UINT milliseconds);
    void Stop();
    bool IsRunning() const { return running_; }

  private:
    HWND window_;
    UINT_PTR id_;
    bool running_ = false;
};

// The messages that are logged. DefaultHandling never hands them to DefWindowProc,
// so each one that arrives shows in the log once and raises nothing else (no
// WM_CONTEXTMENU made up from a WM_RBUTTONUP, for instance).
bool IsLoggedMouseMessage(UINT message);

// A "0x" and 8 hex digit text of a window handle (handles fit in 32 bits).
std::string WindowHandleField(HWND window);

// One top-level window of the stand-in. `this` is stored at WM_NCCREATE; the window
// procedure logs the mouse messages and hands every message to HandleMessage.
class StandinWindow {
  public:
    StandinWindow(StandinLog& log, const char* logName) : log_(log), logName_(logName) {}
    virtual ~StandinWindow();
    StandinWindow(const StandinWindow&) = delete;
    StandinWindow& operator=(const StandinWindow&) = delete;

    HWND handle() const { return window_; }
    bool IsOpen() const { return window_ != nullptr; }
    void Destroy();

    // Every class of the stand-in's windows runs the same window procedure.
    static bool RegisterWindowClass(HINSTANCE instance, const std::wstring& className);

  protected:
    // Creates the window with that outer rectangle, not yet shown.
    bool Create(HINSTANCE instance, const std::wstring& className, const std::wstring& title,
                DWORD style, DWORD exStyle, const RECT& outer);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc, except for the logged mouse messages, which end here.
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    StandinSize ClientSize() const;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    StandinLog& log_;
    const char* logName_;
    HWND window_ = nullptr;
};

// The client point of a mouse message's lParam (signed 16-bit coordinates).
StandinPoint PointFromLParam(LPARAM lParam);

// A font with Chinese glyphs: the first of the usual Chinese UI faces that is
// installed, else whatever the system gives for the GB2312 character set.
UniqueFont CreateChineseFont(int pixelHeight);

// Draws one line of text, vertically centred in the rectangle.
void DrawLine(HDC dc, const std::wstring& text, RECT rect);

}  // namespace korrelin

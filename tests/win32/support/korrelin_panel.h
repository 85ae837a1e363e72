#pragma once
// korrelin.exe run by a Wine test as its own process, and looked at from outside as
// a user's desktop sees it.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "panel/panel_layout.h"
#include "support/child_process.h"
#include "support/waiting.h"

namespace korrelin::support {

inline constexpr wchar_t kPanelClass[] = L"KorrelinPanel";

// The panel's own texts as the desktop shows them.
extern const std::wstring kRunningText;         // 标签1 after Start
extern const std::wstring kStoppedText;         // 标签1 after Stop
extern const std::wstring kMessageCaptionText;  // the caption of Start's message boxes

class KorrelinPanel {
  public:
    KorrelinPanel() = default;
    // Starts korrelin.exe and waits until its panel is shown with the focus on 按钮1.
    // A failure is reported as a test failure and gives nullptr.
    static std::unique_ptr<KorrelinPanel> Start(
        std::chrono::milliseconds timeout = kGenerousTimeout);

    HWND window() const { return window_; }
    HWND Control(ControlId id) const { return GetDlgItem(window_, static_cast<int>(id)); }
    ChildProcess& process() { return process_; }
    HWND Focus() const;

    // Gives the focus to a control the way a user does: with Tab from where it is.
    bool TabTo(ControlId id);
    // Replaces the text of an edit box by typing: select all, then the new text.
    bool TypeInto(ControlId box, const std::wstring& text);
    // Picks an item of 组合框2 with the keyboard, as a user can.
    bool PickRole(int index);
    // Clicks a button with the mouse.
    void Click(ControlId button);
    // Whether 标签1 comes to show the status within the timeout.
    bool WaitForStatus(const std::wstring& status,
                       std::chrono::milliseconds timeout = kGenerousTimeout);
    // Presses the message box's OK and waits until it has gone.
    bool CloseMessageBox(HWND box);
    // A message box of the panel's process with that caption, once there is one.
    HWND WaitForMessageBox(const std::wstring& caption,
                           std::chrono::milliseconds timeout = kGenerousTimeout);
    std::wstring Text(ControlId id) const;
    // What the panel shows, for messages about failures: 标签1 and any message box.
    std::string Describe();

  private:
    ChildProcess process_;
    HWND window_ = nullptr;
};

// The text of a window, read across processes.
std::wstring WindowText(HWND window);
// The text that a message box shows.
std::wstring MessageBoxText(HWND box);

}  // namespace korrelin::support

#include "support/korrelin_panel.h"

#include <gtest/gtest.h>

#include "panel/panel_texts.h"
#include "support/user_input.h"
#include "winauto/codepage_win32.h"

namespace korrelin::support {

const std::wstring kRunningText = WideFromCodePage936(kStatusRunning);
const std::wstring kStoppedText = WideFromCodePage936(kStatusStopped);
const std::wstring kMessageCaptionText = WideFromCodePage936(kMessageCaption);

std::wstring MessageBoxText(HWND box) {
    HWND child = nullptr;
    while ((child = FindWindowExW(box, child, L"Static", nullptr)) != nullptr) {
        const std::wstring text = WindowText(child);
        if (!text.empty()) return text;
    }
    return {};
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT itself: GetWindowText of another process's window gives only the
    // text stored with the window, which edit boxes do not keep there.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::unique_ptr<KorrelinPanel> KorrelinPanel::Start(std::chrono::milliseconds timeout) {
    auto panel = std::make_unique<KorrelinPanel>();
    panel->process_ = ChildProcess::Start(PathBesideTestProgram(L"korrelin.exe"), {});
    if (!panel->process_.IsStarted()) {
        ADD_FAILURE() << "korrelin.exe did not start: "
                      << std::string(panel->process_.error().begin(),
                                     panel->process_.error().end());
        return nullptr;
    }
    panel->window_ =
        WaitForTopLevelWindow({kPanelClass, L"Korrelin", panel->process_.id()}, timeout);
    if (panel->window_ == nullptr) {
        ADD_FAILURE() << "the panel did not appear";
        return nullptr;
    }
    // Shown, and once it is in the foreground, the focus is on 按钮1 (on the first
    // activation, and given back on later ones).
    // The window is there before its controls: look them up once it is shown.
    if (!WaitUntil([&] { return IsWindowVisible(panel->window_); }, timeout) ||
        !BringToForeground(panel->window_) ||
        !WaitUntil([&] { return panel->Focus() == panel->Control(ControlId::按钮1); }, timeout)) {
        const HWND start = panel->Control(ControlId::按钮1);
        ADD_FAILURE() << "the panel was not shown with the focus on its start button: visible "
                      << IsWindowVisible(panel->window_) << ", foreground " << GetForegroundWindow()
                      << " (panel " << panel->window_ << "), focus " << panel->Focus() << " (按钮1 "
                      << start << ")";
        return nullptr;
    }
    return panel;
}

HWND KorrelinPanel::Focus() const {
    return FocusOfThreadOf(window_);
}

bool KorrelinPanel::TabTo(ControlId id) {
    const HWND target = Control(id);
    for (std::size_t i = 0; i <= kKeyboardOrder.size(); ++i) {
        if (Focus() == target) return true;
        if (!BringToForeground(window_)) return false;
        const HWND before = Focus();
        PressKey(VK_TAB);
        if (!WaitUntil([&] { return Focus() != before; })) return false;
    }
    return Focus() == target;
}

bool KorrelinPanel::TypeInto(ControlId box, const std::wstring& text) {
    if (!TabTo(box)) return false;
    PressKey('A', {VK_CONTROL});
    PressKey(VK_DELETE);
    TypeText(text);
    return WaitUntil([&] { return WindowText(Control(box)) == text; });
}

bool KorrelinPanel::PickRole(int index) {
    if (!TabTo(ControlId::组合框2)) return false;
    const HWND list = Control(ControlId::组合框2);
    PressKey(VK_HOME);
    for (int i = 0; i < index; ++i) PressKey(VK_DOWN);
    return WaitUntil([&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == index; });
}

void KorrelinPanel::Click(ControlId button) {
    BringToForeground(window_);
    if (!ClickCentre(Control(button))) ADD_FAILURE() << "the pointer did not come over the button";
}

HWND KorrelinPanel::WaitForMessageBox(const std::wstring& caption,
                                      std::chrono::milliseconds timeout) {
    return WaitForTopLevelWindow({L"#32770", caption, process_.id()}, timeout);
}

bool KorrelinPanel::WaitForStatus(const std::wstring& status, std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return Text(ControlId::标签1) == status; }, timeout);
}

bool KorrelinPanel::CloseMessageBox(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return WaitUntil([&] { return !IsWindow(box); });
}

std::wstring KorrelinPanel::Text(ControlId id) const {
    return WindowText(Control(id));
}

std::string KorrelinPanel::Describe() {
    const auto narrow = [](const std::wstring& text) {
        std::string bytes;
        for (wchar_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
        return bytes + " (" + std::to_string(text.size()) + " characters)";
    };
    std::string description = "标签1: " + narrow(Text(ControlId::标签1));
    for (HWND box : FindTopLevelWindows({L"#32770", std::nullopt, process_.id()})) {
        description += "; a message box titled " + narrow(WindowText(box));
    }
    if (GetForegroundWindow() != window_) description += "; the panel is not in the foreground";
    return description;
}

}  // namespace korrelin::support

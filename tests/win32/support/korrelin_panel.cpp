#include "support/korrelin_panel.h"

#include <gtest/gtest.h>

#include "support/user_input.h"

namespace korrelin::support {

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
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
    const HWND start = panel->Control(ControlId::按钮1);
    if (!WaitUntil([&] { return IsWindowVisible(panel->window_) && panel->Focus() == start; },
                   timeout)) {
        ADD_FAILURE() << "the panel was not shown with the focus on its start button";
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
    ClickCentre(Control(button));
}

HWND KorrelinPanel::WaitForMessageBox(const std::wstring& caption,
                                      std::chrono::milliseconds timeout) {
    return WaitForTopLevelWindow({L"#32770", caption, process_.id()}, timeout);
}

std::wstring KorrelinPanel::Text(ControlId id) const {
    return WindowText(Control(id));
}

}  // namespace korrelin::support

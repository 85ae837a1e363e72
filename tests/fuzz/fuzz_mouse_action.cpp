// PostMouseAction with any window, point, button and action, each given or left
// out, against a desktop that only records what is posted:
//
// - P and Q equal (x + 65536 y) and (x + 65536 y + 0x017F0249) modulo 2^32, formed
//   in 64-bit arithmetic; no signed overflow for any pair of 32-bit x and y;
// - every message goes to the one target, the desktop window for window 0;
// - the number of messages is what the button's row and the action's column allow:
//   one wheel message, or a mouse move, 0 to 3 button messages and, for the right
//   button, the context-menu request;
// - the mouse move and the button messages carry P, the wheel and context-menu
//   messages Q.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "winauto/mouse_poster.h"
#include "winauto/window_messages.h"

namespace korrelin::fuzz {
namespace {

constexpr WindowHandle kDesktop = 0x00010010;

class RecordingDesktop : public SystemWindows {
  public:
    struct Posted {
        WindowHandle window;
        std::uint32_t message;
        std::uint32_t wParam;
        std::uint32_t lParam;
    };
    std::vector<Posted> posted;

    WindowHandle FindWindowExA(WindowHandle, WindowHandle, std::string_view,
                               std::optional<std::string_view>) override {
        return 0;
    }
    int GetWindowTextA(WindowHandle, char*, int) override { return 0; }
    bool GetWindowRect(WindowHandle, ScreenRect&) override { return false; }
    WindowHandle GetDesktopWindow() override { return kDesktop; }
    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                      std::uint32_t lParam) override {
        posted.push_back({window, message, wParam, lParam});
        return true;
    }
    KernelHandle CreateWaitableTimerA() override { return 0; }
    bool SetWaitableTimer(KernelHandle, std::int64_t) override { return false; }
    std::uint32_t MsgWaitForMultipleObjects(KernelHandle, std::uint32_t, std::uint32_t) override {
        return kWaitFailed;
    }
    bool CloseHandle(KernelHandle) override { return false; }
    void DispatchPendingMessages() override {}
    std::uint64_t TickCountMs() override { return 0; }
};

std::uint32_t Low32(std::int64_t value) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
}

std::optional<std::int32_t> MaybeInt(FuzzedDataProvider& input) {
    if (!input.ConsumeBool()) return std::nullopt;
    return input.ConsumeIntegral<std::int32_t>();
}

// Button messages of an action for the left, right and middle buttons.
std::size_t ButtonMessageCount(std::int32_t action) {
    switch (action) {
        case 0:
        case MouseAction::Click:
            return 2;
        case MouseAction::DoubleClick:
            return 3;
        case MouseAction::Press:
        case MouseAction::Release:
            return 1;
        default:
            return 0;
    }
}

bool IsButtonMessage(std::uint32_t message) {
    return message >= kWmLButtonDown && message <= kWmMButtonDblClk;
}

}  // namespace
}  // namespace korrelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korrelin;
    using namespace korrelin::fuzz;
    FuzzedDataProvider input(data, size);
    const std::optional<std::int32_t> window = MaybeInt(input);
    const std::optional<std::int32_t> x = MaybeInt(input);
    const std::optional<std::int32_t> y = MaybeInt(input);
    const std::optional<std::int32_t> button = MaybeInt(input);
    const std::optional<std::int32_t> action = MaybeInt(input);

    const std::int64_t pointX = x.value_or(2);
    const std::int64_t pointY = y.value_or(2);
    const std::uint32_t p = Low32(pointX + 65536 * pointY);
    const std::uint32_t q = Low32(pointX + 65536 * pointY + 0x017F0249);
    Require(
        MousePointParam(static_cast<std::int32_t>(pointX), static_cast<std::int32_t>(pointY)) == p,
        "P is x + 65536 y modulo 2^32");
    Require(
        MouseScreenParam(static_cast<std::int32_t>(pointX), static_cast<std::int32_t>(pointY)) == q,
        "Q is P + 0x017F0249 modulo 2^32");

    RecordingDesktop desktop;
    PostMouseAction(desktop, window, x, y, button, action);
    const WindowHandle target = window.value_or(0) == 0 ? kDesktop : *window;
    for (const auto& posted : desktop.posted) {
        Require(posted.window == target, "every message goes to the one target");
    }

    const std::int32_t buttonCode = button.value_or(0);
    const auto& posted = desktop.posted;
    if (buttonCode == MouseButton::WheelUp || buttonCode == MouseButton::WheelDown) {
        Require(posted.size() == 1, "a wheel turn is one message");
        Require(posted[0].message == kWmMouseWheel && posted[0].lParam == q,
                "the wheel message carries Q");
        return 0;
    }
    Require(!posted.empty() && posted[0].message == kWmMouseMove && posted[0].wParam == 2 &&
                posted[0].lParam == p,
            "the mouse move with P comes first");
    std::size_t expected = 1;
    if (buttonCode >= 0 && buttonCode <= MouseButton::Middle) {
        expected += ButtonMessageCount(action.value_or(0));
    }
    if (buttonCode == MouseButton::Right) ++expected;
    Require(posted.size() == expected, "the message count is the table's");
    for (std::size_t i = 1; i < posted.size(); ++i) {
        const bool contextMenu = buttonCode == MouseButton::Right && i + 1 == posted.size();
        if (contextMenu) {
            Require(posted[i].message == kWmContextMenu && posted[i].lParam == q,
                    "the right button ends with the context-menu request and Q");
        } else {
            Require(IsButtonMessage(posted[i].message) && posted[i].lParam == p,
                    "button messages carry P");
        }
    }
    return 0;
}

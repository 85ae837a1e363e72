#pragma once
// A scripted desktop for host tests: top-level windows of "other programs" in a
// listing order, a log of every message posted to them, waitable timers on a
// virtual millisecond clock, and the GUI thread's own message queue as a list of
// scripted handlers. Time passes only inside MsgWaitForMultipleObjects (or
// AdvanceClock), so tests of pauses run instantly and deterministically.
//
//   FakeDesktop desktop;
//   WindowHandle popup = desktop.AddWindow("QPopup", kMenuTitle, {0, 0, 200, 408});
//   desktop.WhenPosted(popup, kWmLButtonUp, [&] { desktop.AddWindow("QPopup", kMenuTitle,
//                                                                   {0, 0, 156, 84}); });
//   desktop.MessageAt(50, [&] { /* a button click handled during a pause */ });
//   ... run the code under test ...
//   EXPECT_EQ(desktop.PostedMessages(), (std::vector<FakeDesktop::Message>{...}));

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "winauto/system_windows.h"

namespace korrelin {

class FakeDesktop : public SystemWindows {
  public:
    using Action = std::function<void()>;

    // What was posted, as the target sees it.
    struct Message {
        WindowHandle window = 0;
        std::uint32_t message = 0;
        std::uint32_t wParam = 0;
        std::uint32_t lParam = 0;
        bool operator==(const Message& other) const;
        bool operator!=(const Message& other) const { return !(*this == other); }
    };
    // One PostMessageA call: the message, the virtual time of the call, and whether
    // the target existed (posting to a window that is gone fails, as on the system).
    struct PostRecord {
        Message message;
        std::uint64_t timeMs = 0;
        bool accepted = false;
    };
    // One MsgWaitForMultipleObjects call and what it returned.
    struct WaitRecord {
        KernelHandle handle = 0;
        std::uint32_t timeoutMs = 0;
        std::uint32_t wakeMask = 0;
        std::uint64_t startMs = 0;
        std::uint64_t endMs = 0;
        std::uint32_t result = 0;
    };
    enum class WaitFailure {
        kNone,
        kTimerWaits,  // waits on a timer handle return WAIT_FAILED, waits on input alone work
        kAllWaits,    // every wait returns WAIT_FAILED at once
    };

    // The handle that GetDesktopWindow returns; never listed by FindWindowExA.
    static constexpr WindowHandle kDesktopWindow = 0x00010010;
    // MsgWaitForMultipleObjects's result when input (a scripted message) arrived.
    static constexpr std::uint32_t kWaitInput = kWaitObject0 + 1;
    static constexpr std::size_t kWaitLimit = 100000;
    struct Runaway : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    FakeDesktop();
    ~FakeDesktop() override;

    // --- Windows of other programs -------------------------------------------------
    // Adds a top-level window at the end of the listing order; returns its handle,
    // a fresh one unless `handle` is given (e.g. a negative one).
    WindowHandle AddWindow(std::string className, std::string title, ScreenRect rect = {},
                           std::optional<WindowHandle> handle = std::nullopt);
    void RemoveWindow(WindowHandle window);
    void SetTitle(WindowHandle window, std::string title);
    void SetRect(WindowHandle window, ScreenRect rect);
    void MoveToFront(WindowHandle window);
    void MoveToBack(WindowHandle window);
    // GetWindowTextA leaves the buffer of this window as it is (returns 0).
    void LeaveTitleBufferUntouched(WindowHandle window, bool untouched = true);
    // GetWindowRect of this window fails and leaves the rectangle as it is.
    void FailWindowRect(WindowHandle window, bool fail = true);
    bool WindowExists(WindowHandle window) const;
    std::vector<WindowHandle> ListingOrder() const;

    // --- Messages posted to them ---------------------------------------------------
    std::vector<Message> PostedMessages() const;
    std::vector<Message> PostedMessagesTo(WindowHandle window) const;
    const std::vector<PostRecord>& PostLog() const { return postLog_; }
    void ClearPostLog() { postLog_.clear(); }
    // Runs after every PostMessageA has been logged, e.g. to let the target react.
    void AddPostHook(std::function<void(const PostRecord&)> hook);
    // Runs `action` once, when `message` is first posted to `window` (after logging).
    void WhenPosted(WindowHandle window, std::uint32_t message, Action action);

    // --- Virtual clock and scripted events -----------------------------------------
    std::uint64_t NowMs() const { return nowMs_; }
    // Another program changes the desktop at a virtual time (say, closes a window).
    // It happens while the clock passes that time; it does not wake a wait.
    void At(std::uint64_t timeMs, Action action);
    // A message for the tool's own window reaches the GUI thread's queue at a virtual
    // time: it wakes a wait, and DispatchPendingMessages runs `handler`.
    void MessageAt(std::uint64_t timeMs, Action handler);
    void QueueMessage(Action handler) { MessageAt(nowMs_, std::move(handler)); }
    // WM_QUIT reaches the queue at a virtual time. It wakes a wait once and then stays:
    // DispatchPendingMessages never takes it.
    void PostQuitAt(std::uint64_t timeMs);
    bool QuitPending() const { return quitPending_; }
    std::size_t PendingMessageCount() const { return queue_.size(); }
    // Moves the clock forward without a wait, applying the events on the way.
    void AdvanceClock(std::uint64_t ms);

    // --- Timers and waits ----------------------------------------------------------
    void FailCreateTimer(bool fail = true) { failCreateTimer_ = fail; }
    void FailSetTimer(bool fail = true) { failSetTimer_ = fail; }
    void FailWaits(WaitFailure failure) { waitFailure_ = failure; }
    // Every due time handed to SetWaitableTimer, in call order.
    const std::vector<std::int64_t>& DueTimes() const { return dueTimes_; }
    const std::vector<WaitRecord>& Waits() const { return waits_; }
    int TimersCreated() const { return timersCreated_; }
    int TimersOpen() const { return static_cast<int>(timers_.size()); }
    int DispatchCalls() const { return dispatchCalls_; }

    // --- SystemWindows -------------------------------------------------------------
    // FindWindowExA lists the top-level windows (parent 0 only) in listing order; the
    // class is compared without regard to ASCII case, as the system does, the title
    // whole and byte for byte. A childAfter that is no (longer a) window gives 0.
    WindowHandle FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                               std::string_view className,
                               std::optional<std::string_view> title) override;
    // Writes at most size - 1 bytes (cut anywhere, even inside a character) and a zero;
    // for an unknown window just the zero.
    int GetWindowTextA(WindowHandle window, char* buffer, int size) override;
    bool GetWindowRect(WindowHandle window, ScreenRect& rect) override;
    WindowHandle GetDesktopWindow() override { return kDesktopWindow; }
    bool PostMessageA(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                      std::uint32_t lParam) override;
    KernelHandle CreateWaitableTimerA() override;
    // A negative due time counts from now (rounded up to whole ms); 0 or positive is
    // an absolute time long past: the timer fires at once.
    bool SetWaitableTimer(KernelHandle timer, std::int64_t dueTime) override;
    // Handle 0 waits for input or the time-out alone. Otherwise: 0 when the timer is
    // signalled (it then resets), kWaitInput when a scripted message arrived since the
    // last DispatchPendingMessages, WAIT_TIMEOUT, or WAIT_FAILED for an unknown handle.
    // A wait that nothing could ever end fails the test and returns WAIT_FAILED; more
    // than kWaitLimit waits in one test fail it and throw FakeDesktop::Runaway (a spin).
    std::uint32_t MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t timeoutMs,
                                            std::uint32_t wakeMask) override;
    bool CloseHandle(KernelHandle handle) override;
    // Runs the handlers of the messages that have arrived, oldest first; a handler may
    // itself wait and dispatch. WM_QUIT stays pending.
    void DispatchPendingMessages() override;
    std::uint64_t TickCountMs() override { return nowMs_; }

  private:
    struct Window {
        WindowHandle handle = 0;
        std::string className;
        std::string title;
        ScreenRect rect;
        bool titleBufferUntouched = false;
        bool failRect = false;
    };
    struct Timer {
        std::optional<std::uint64_t> dueMs;  // armed and not yet fired
        bool signalled = false;
    };
    struct Event {
        bool isMessage = false;  // a queue message (wakes a wait), else a desktop change
        bool isQuit = false;
        Action action;
    };

    Window* Find(WindowHandle window);
    const Window* Find(WindowHandle window) const;
    std::vector<Window>::iterator Position(WindowHandle window);
    void Schedule(std::uint64_t timeMs, Event event);
    std::optional<std::uint64_t> NextEventTime() const;
    // Moves the clock to timeMs, applying every event due by then in time order and
    // signalling the timers that fall due.
    void AdvanceTo(std::uint64_t timeMs);
    void SignalDueTimers();

    std::vector<Window> windows_;
    WindowHandle nextHandle_ = 0x00020040;
    std::vector<PostRecord> postLog_;
    std::vector<std::function<void(const PostRecord&)>> postHooks_;

    std::uint64_t nowMs_ = 0;
    std::multimap<std::uint64_t, Event> events_;  // equal times keep insertion order
    std::deque<Action> queue_;                    // arrived, not yet dispatched
    bool newInput_ = false;                       // arrived since the last dispatch
    bool quitPending_ = false;

    std::map<KernelHandle, Timer> timers_;
    KernelHandle nextTimer_ = 0x100;
    bool failCreateTimer_ = false;
    bool failSetTimer_ = false;
    WaitFailure waitFailure_ = WaitFailure::kNone;
    std::vector<std::int64_t> dueTimes_;
    std::vector<WaitRecord> waits_;
    int timersCreated_ = 0;
    int dispatchCalls_ = 0;
};

// For readable test failures: "{window 0x20040, message 0x201, wParam 0x1, lParam 0xc80028}".
std::ostream& operator<<(std::ostream& out, const FakeDesktop::Message& message);

}  // namespace korrelin

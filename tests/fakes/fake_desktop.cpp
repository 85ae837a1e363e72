#include "fakes/fake_desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace korrelin {
namespace {

constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

bool SameClassName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 0x20 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

bool FakeDesktop::Message::operator==(const Message& other) const {
    return window == other.window && message == other.message && wParam == other.wParam &&
           lParam == other.lParam;
}

std::ostream& operator<<(std::ostream& out, const FakeDesktop::Message& message) {
    const auto flags = out.flags();
    out << std::hex << std::showbase << "{window " << message.window << ", message "
        << message.message << ", wParam " << message.wParam << ", lParam " << message.lParam << "}";
    out.flags(flags);
    return out;
}

FakeDesktop::FakeDesktop() = default;
FakeDesktop::~FakeDesktop() = default;

// --- Windows ---------------------------------------------------------------------------

WindowHandle FakeDesktop::AddWindow(std::string className, std::string title, ScreenRect rect,
                                    std::optional<WindowHandle> handle) {
    WindowHandle chosen = handle.value_or(0);
    if (!handle) {
        do {
            chosen = nextHandle_;
            nextHandle_ += 0x10;
        } while (Find(chosen) != nullptr);
    }
    EXPECT_EQ(Find(chosen), nullptr) << "window handle " << chosen << " is already in use";
    windows_.push_back(Window{chosen, std::move(className), std::move(title), rect});
    return chosen;
}

void FakeDesktop::RemoveWindow(WindowHandle window) {
    auto it = Position(window);
    if (it != windows_.end()) windows_.erase(it);
}

void FakeDesktop::SetTitle(WindowHandle window, std::string title) {
    if (Window* w = Find(window)) w->title = std::move(title);
}

void FakeDesktop::SetRect(WindowHandle window, ScreenRect rect) {
    if (Window* w = Find(window)) w->rect = rect;
}

void FakeDesktop::MoveToFront(WindowHandle window) {
    auto it = Position(window);
    if (it != windows_.end()) std::rotate(windows_.begin(), it, it + 1);
}

void FakeDesktop::MoveToBack(WindowHandle window) {
    auto it = Position(window);
    if (it != windows_.end()) std::rotate(it, it + 1, windows_.end());
}

void FakeDesktop::LeaveTitleBufferUntouched(WindowHandle window, bool untouched) {
    if (Window* w = Find(window)) w->titleBufferUntouched = untouched;
}

void FakeDesktop::FailWindowRect(WindowHandle window, bool fail) {
    if (Window* w = Find(window)) w->failRect = fail;
}

bool FakeDesktop::WindowExists(WindowHandle window) const {
    return Find(window) != nullptr;
}

std::vector<WindowHandle> FakeDesktop::ListingOrder() const {
    std::vector<WindowHandle> order;
    for (const Window& w : windows_) order.push_back(w.handle);
    return order;
}

FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) {
    auto it = Position(window);
    return it == windows_.end() ? nullptr : &*it;
}

const FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) const {
    return const_cast<FakeDesktop*>(this)->Find(window);
}

std::vector<FakeDesktop::Window>::iterator FakeDesktop::Position(WindowHandle window) {
    return std::find_if(windows_.begin(), windows_.end(),
                        [window](const Window& w) { return w.handle == window; });
}

// --- Posted messages -------------------------------------------------------------------

std::vector<FakeDesktop::Message> FakeDesktop::PostedMessages() const {
    std::vector<Message> messages;
    for (const PostRecord& record : postLog_) messages.push_back(record.message);
    return messages;
}

std::vector<FakeDesktop::Message> FakeDesktop::PostedMessagesTo(WindowHandle window) const {
    std::vector<Message> messages;
    for (const PostRecord& record : postLog_) {
        if (record.message.window == window) messages.push_back(record.message);
    }
    return messages;
}

void FakeDesktop::AddPostHook(std::function<void(const PostRecord&)> hook) {
    postHooks_.push_back(std::move(hook));
}

void FakeDesktop::WhenPosted(WindowHandle window, std::uint32_t message, Action action) {
    auto pending = std::make_shared<Action>(std::move(action));
    AddPostHook([window, message, pending](const PostRecord& record) {
        if (*pending && record.message.window == window && record.message.message == message) {
            Action run = std::move(*pending);
            *pending = nullptr;
            run();
        }
    });
}

// --- Clock and scripted events ---------------------------------------------------------

void FakeDesktop::At(std::uint64_t timeMs, Action action) {
    Schedule(timeMs, Event{false, false, std::move(action)});
}

void FakeDesktop::MessageAt(std::uint64_t timeMs, Action handler) {
    Schedule(timeMs, Event{true, false, std::move(handler)});
}

void FakeDesktop::PostQuitAt(std::uint64_t timeMs) {
    Schedule(timeMs, Event{true, true, {}});
}

void FakeDesktop::AdvanceClock(std::uint64_t ms) {
    AdvanceTo(nowMs_ + ms);
}

void FakeDesktop::Schedule(std::uint64_t timeMs, Event event) {
    events_.emplace(std::max(timeMs, nowMs_), std::move(event));
    // An event for the present takes effect at once.
    AdvanceTo(nowMs_);
}

std::optional<std::uint64_t> FakeDesktop::NextEventTime() const {
    if (events_.empty()) return std::nullopt;
    return events_.begin()->first;
}

void FakeDesktop::AdvanceTo(std::uint64_t timeMs) {
    while (!events_.empty() && events_.begin()->first <= timeMs) {
        auto first = events_.begin();
        nowMs_ = std::max(nowMs_, first->first);
        Event event = std::move(first->second);
        events_.erase(first);
        SignalDueTimers();
        if (event.isQuit) {
            quitPending_ = true;
            newInput_ = true;
        } else if (event.isMessage) {
            queue_.push_back(std::move(event.action));
            newInput_ = true;
        } else if (event.action) {
            event.action();
        }
    }
    nowMs_ = std::max(nowMs_, timeMs);
    SignalDueTimers();
}

void FakeDesktop::SignalDueTimers() {
    for (auto& entry : timers_) {
        Timer& timer = entry.second;
        if (timer.dueMs && *timer.dueMs <= nowMs_) {
            timer.dueMs.reset();
            timer.signalled = true;
        }
    }
}

// --- SystemWindows ---------------------------------------------------------------------

WindowHandle FakeDesktop::FindWindowExA(WindowHandle parent, WindowHandle childAfter,
                                        std::string_view className,
                                        std::optional<std::string_view> title) {
    if (parent != 0) return 0;
    auto it = windows_.begin();
    if (childAfter != 0) {
        it = Position(childAfter);
        if (it == windows_.end()) return 0;
        ++it;
    }
    for (; it != windows_.end(); ++it) {
        if (!SameClassName(it->className, className)) continue;
        if (title && it->title != *title) continue;
        return it->handle;
    }
    return 0;
}

int FakeDesktop::GetWindowTextA(WindowHandle window, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    const Window* w = Find(window);
    if (w != nullptr && w->titleBufferUntouched) return 0;
    const std::string_view title = w != nullptr ? std::string_view(w->title) : std::string_view();
    const std::size_t count = std::min(title.size(), static_cast<std::size_t>(size - 1));
    if (count > 0) std::memcpy(buffer, title.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

bool FakeDesktop::GetWindowRect(WindowHandle window, ScreenRect& rect) {
    const Window* w = Find(window);
    if (w == nullptr || w->failRect) return false;
    rect = w->rect;
    return true;
}

bool FakeDesktop::PostMessageA(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                               std::uint32_t lParam) {
    const bool accepted = window == kDesktopWindow || Find(window) != nullptr;
    postLog_.push_back(PostRecord{Message{window, message, wParam, lParam}, nowMs_, accepted});
    const PostRecord record = postLog_.back();
    // A hook may add hooks; run the ones there were when the message was posted.
    const std::size_t hookCount = postHooks_.size();
    for (std::size_t i = 0; i < hookCount; ++i) postHooks_[i](record);
    return accepted;
}

KernelHandle FakeDesktop::CreateWaitableTimerA() {
    if (failCreateTimer_) return 0;
    const KernelHandle handle = nextTimer_;
    nextTimer_ += 4;
    timers_.emplace(handle, Timer{});
    ++timersCreated_;
    return handle;
}

bool FakeDesktop::SetWaitableTimer(KernelHandle timer, std::int64_t dueTime) {
    dueTimes_.push_back(dueTime);
    auto it = timers_.find(timer);
    if (failSetTimer_ || it == timers_.end()) return false;
    std::uint64_t delayMs = 0;
    if (dueTime < 0) {
        const std::uint64_t intervals = 0 - static_cast<std::uint64_t>(dueTime);
        delayMs = intervals / 10000 + (intervals % 10000 != 0 ? 1 : 0);
    }
    it->second.signalled = false;
    it->second.dueMs = nowMs_ + delayMs;
    SignalDueTimers();
    return true;
}

std::uint32_t FakeDesktop::MsgWaitForMultipleObjects(KernelHandle handle, std::uint32_t timeoutMs,
                                                     std::uint32_t wakeMask) {
    waits_.push_back(WaitRecord{handle, timeoutMs, wakeMask, nowMs_, nowMs_, kWaitFailed});
    const std::size_t index = waits_.size() - 1;
    auto finish = [this, index](std::uint32_t result) {
        waits_[index].endMs = nowMs_;
        waits_[index].result = result;
        return result;
    };
    if (waits_.size() > kWaitLimit) {
        ADD_FAILURE() << "more than " << kWaitLimit << " waits: the code under test spins";
        throw Runaway("the code under test spins");
    }

    const bool failed = waitFailure_ == WaitFailure::kAllWaits ||
                        (waitFailure_ == WaitFailure::kTimerWaits && handle != 0);
    auto timer = timers_.find(handle);
    if (failed || (handle != 0 && timer == timers_.end())) return finish(kWaitFailed);

    const std::uint64_t limit =
        timeoutMs == kInfinite ? kNever : nowMs_ + static_cast<std::uint64_t>(timeoutMs);
    for (;;) {
        // Looked up afresh: a desktop change may have created or closed timers.
        timer = timers_.find(handle);
        if (handle != 0 && timer != timers_.end() && timer->second.signalled) {
            timer->second.signalled = false;
            return finish(kWaitObject0);
        }
        if (newInput_ && wakeMask != 0) return finish(kWaitInput);
        if (nowMs_ >= limit) return finish(kWaitTimeout);

        std::uint64_t next = limit;
        if (handle != 0 && timer != timers_.end() && timer->second.dueMs)
            next = std::min(next, *timer->second.dueMs);
        if (auto event = NextEventTime()) next = std::min(next, *event);
        if (next == kNever) {
            ADD_FAILURE() << "a wait with no time-out on a timer that never fires and no "
                             "message to come: it would never end";
            return finish(kWaitFailed);
        }
        AdvanceTo(next);
    }
}

bool FakeDesktop::CloseHandle(KernelHandle handle) {
    return timers_.erase(handle) != 0;
}

void FakeDesktop::DispatchPendingMessages() {
    ++dispatchCalls_;
    newInput_ = false;
    while (!queue_.empty()) {
        Action handler = std::move(queue_.front());
        queue_.pop_front();
        if (handler) handler();
    }
}

}  // namespace korrelin

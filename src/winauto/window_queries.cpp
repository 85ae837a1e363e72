#include "winauto/window_queries.h"

#include <array>
#include <optional>

namespace korrelin {

namespace {

constexpr bool StartsTwoByteCharacter(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}

// A zero-terminated text held in a view: the bytes before the first zero.
std::string_view UpToTerminator(std::string_view text) {
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// The difference of two edges modulo 2^32, read as a signed 32-bit number, without
// signed overflow.
std::int32_t EdgeDifference(std::int32_t high, std::int32_t low) {
    const std::uint32_t difference =
        static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low);
    if (difference <= 0x7FFFFFFFu) return static_cast<std::int32_t>(difference);
    return static_cast<std::int32_t>(difference - 0x80000000u) + INT32_MIN;
}

}  // namespace

std::string LowerTitleText(std::string_view text) {
    std::string lowered(UpToTerminator(text));
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        const char byte = lowered[i];
        if (StartsTwoByteCharacter(byte)) {
            ++i;  // the second byte belongs to the character and stays as it is
        } else if (byte >= 'A' && byte <= 'Z') {
            lowered[i] = static_cast<char>(byte + ('a' - 'A'));
        }
    }
    return lowered;
}

bool ContainsTitleFragment(std::string_view title, std::string_view fragment) {
    title = UpToTerminator(title);
    fragment = UpToTerminator(fragment);
    if (fragment.empty()) return !title.empty();
    std::size_t position = 0;
    for (;;) {
        if (title.size() - position < fragment.size()) return false;
        if (title.compare(position, fragment.size(), fragment) == 0) return true;
        if (StartsTwoByteCharacter(title[position])) {
            // A lead byte just before the terminator: no whole character to step over.
            if (position + 1 == title.size()) return false;
            position += 2;
        } else {
            position += 1;
        }
    }
}

WindowHandle FindWindowByTitleFragment(SystemWindows& system, std::string_view fragment,
                                       std::string_view className) {
    const std::string loweredFragment = LowerTitleText(fragment);
    WindowHandle previous = 0;
    for (;;) {
        const WindowHandle window = system.FindWindowExA(0, previous, className, std::nullopt);
        if (window <= 0) return 0;
        if (ContainsTitleFragment(LowerTitleText(ReadWindowTitle(system, window)),
                                  loweredFragment)) {
            return window;
        }
        previous = window;
    }
}

std::string ReadWindowTitle(SystemWindows& system, WindowHandle window) {
    std::array<char, kWindowTitleBufferSize + 1> buffer;
    buffer.fill(' ');
    buffer.back() = '\0';
    system.GetWindowTextA(window, buffer.data(), kWindowTitleBufferSize);
    return std::string(UpToTerminator(std::string_view(buffer.data(), buffer.size())));
}

WindowBounds GetWindowBounds(SystemWindows& system, WindowHandle window) {
    ScreenRect rect;
    system.GetWindowRect(window, rect);
    return WindowBounds{rect.left, rect.top, EdgeDifference(rect.right, rect.left),
                        EdgeDifference(rect.bottom, rect.top)};
}

}  // namespace korrelin

#pragma once
// Questions to the window manager about the windows of other programs: find a
// top-level window by class and a piece of its title, read a title, measure a
// window. Nothing is kept between calls; every call asks the system afresh.

#include <cstdint>
#include <string>
#include <string_view>

#include "winauto/system_windows.h"

namespace korrelin {

// A window's outer rectangle as position and size, in screen pixels.
struct WindowBounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Titles are read with room for 255 bytes and the terminator.
inline constexpr int kWindowTitleBufferSize = 256;

// The first top-level window of the class, in the system's listing order, whose title
// contains the fragment with A-Z matched regardless of case; 0 when there is none.
// Only the first 255 bytes of each title take part. A handle that reads as 0 or
// negative ends the walk.
WindowHandle FindWindowByTitleFragment(SystemWindows& system, std::string_view fragment,
                                       std::string_view className);

// The title as the system writes it into a buffer of 256 spaces and a zero byte,
// up to the first zero byte: at most 255 bytes, or the 256 spaces when the system
// writes nothing.
std::string ReadWindowTitle(SystemWindows& system, WindowHandle window);

// Position and size of the window's outer rectangle. A failed GetWindowRect leaves
// its zeros, so an unknown window measures 0, 0, 0, 0.
WindowBounds GetWindowBounds(SystemWindows& system, WindowHandle window);

// A text with the 26 Latin capitals lowered and every other byte as it was. A byte of
// 0x80 or above starts a two-byte character: the byte after it is kept whatever its
// value. The text ends at its first zero byte, if any.
std::string LowerTitleText(std::string_view text);

// Whether the title contains the fragment, compared byte for byte. A match starts only
// at a character boundary (a byte of 0x80 or above and the byte after it form one
// character) but may end inside a character. An empty fragment is found in every
// non-empty title and in no empty one. Both texts end at their first zero byte.
bool ContainsTitleFragment(std::string_view title, std::string_view fragment);

}  // namespace korrelin

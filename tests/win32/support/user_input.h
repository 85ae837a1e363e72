#pragma once
// Input as a user's desktop delivers it: real key strokes and mouse clicks through
// SendInput, which reach the foreground window and set the key state (Shift, Ctrl,
// Alt) that posted messages would not.

#include <windows.h>

#include <string_view>
#include <vector>

namespace korrelin::support {

// Brings the window to the foreground and waits until it is there.
bool BringToForeground(HWND window);

// Presses and releases the key while the modifiers (VK_SHIFT, VK_CONTROL, VK_MENU)
// are held.
void PressKey(WORD virtualKey, const std::vector<WORD>& modifiers = {});

// Types the text character by character, as a keyboard with an input method would.
void TypeText(std::wstring_view text);

// A left click at the centre of the window (the real cursor moves there); false when
// the pointer did not come to rest over the window.
bool ClickCentre(HWND window);

// The window of the process's GUI thread that has the keyboard focus, or nullptr.
HWND FocusOfThreadOf(HWND window);

}  // namespace korrelin::support

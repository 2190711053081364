// Real mouse and keyboard input (SendInput), for what only the system's own
// input handling decides: hit testing, click-through, menus opened by a
// button release, menu mnemonics.
#pragma once

#include <windows.h>

#include <functional>

enum class MouseButton { kLeft, kRight };

// Moves the pointer to the screen point and clicks there.
void ClickAt(POINT at, MouseButton button);
// Moves the pointer without clicking.
void MoveTo(POINT at);
// Presses and releases one key.
void PressKey(WORD virtualKey);

// Polls `done` every 50 ms; false when it is still false after `timeout`.
bool WaitUntil(const std::function<bool()>& done, DWORD timeout = 5000);

// The visible popup menu window (class "#32768") on the screen, waiting up
// to `timeout` for one to appear; null when none does.
HWND WaitForPopupMenu(DWORD timeout = 5000);
// Whether a visible popup menu is on the screen now.
bool PopupMenuShown();

#include "user_input.h"

namespace {
// Absolute coordinates run from 0 to 65535 across the primary screen.
INPUT MouseInput(POINT at, DWORD flags) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = LONG((at.x * 65535LL + width / 2) / (width - 1));
  in.mi.dy = LONG((at.y * 65535LL + height / 2) / (height - 1));
  in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return in;
}
}  // namespace

void MoveTo(POINT at) {
  INPUT in = MouseInput(at, 0);
  SendInput(1, &in, sizeof in);
}

void ClickAt(POINT at, MouseButton button) {
  const bool left = button == MouseButton::kLeft;
  INPUT inputs[] = {
      MouseInput(at, 0),
      MouseInput(at, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
      MouseInput(at, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)};
  // The move settles first, so the press lands on the window now under
  // the pointer.
  SendInput(1, &inputs[0], sizeof(INPUT));
  Sleep(100);
  SendInput(2, &inputs[1], sizeof(INPUT));
}

void PressKey(WORD virtualKey) {
  INPUT keys[2]{};
  for (INPUT& key : keys) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeout) {
  const ULONGLONG end = GetTickCount64() + timeout;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
}

namespace {
HWND VisiblePopupMenu() {
  for (HWND w = FindWindowW(L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}
}  // namespace

bool PopupMenuShown() { return VisiblePopupMenu() != nullptr; }

HWND WaitForPopupMenu(DWORD timeout) {
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = VisiblePopupMenu()) != nullptr; }, timeout);
  return menu;
}

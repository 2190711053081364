// The road of one menu command, the same for every front-end: the main
// window's own commands first, then each frame part in order, then the
// follow-up (lay out, save the settings, refresh the marks) on a window that
// is still there.
#pragma once

#include <span>

#include "parts/frame_host.h"

// What the routing asks of the window that owns the parts.
class IMainWindow {
 public:
  virtual void SetClickThrough(bool on) = 0;
  virtual void SetStayOnTop(bool on) = 0;
  virtual void ShowAbout() = 0;
  // Ends the program; the window saves its settings once on the way out.
  virtual void Close() = 0;
  // False once the window is gone: an exit chosen from the notification
  // icon while a modal box was open destroys it under the box's feet.
  virtual bool IsOpen() const = 0;
  virtual void Layout() = 0;
  virtual void SaveSettings() = 0;
  virtual void UpdateMenu() = 0;

 protected:
  ~IMainWindow() = default;
};

// The two switches of the main window's own, with the settings file's
// names.
struct WindowSwitches {
  bool clickThrough = false;  // Transparent
  bool stayOnTop = true;      // StayOnTop
};

// Carries out `command`; false when it belongs to nobody. After every
// handled command except exit, and only while the window is open, the
// window lays out (composing a frame), saves and refreshes the marks.
bool RouteCommand(UINT command, IMainWindow& window, WindowSwitches& switches,
                  std::span<IFramePart* const> parts);

// Sets every check mark of the popup: each part marks its own submenu, the
// window its two switches.
void UpdateMenuMarks(IMenu& popup, const WindowSwitches& switches,
                     std::span<IFramePart* const> parts);

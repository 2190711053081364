// What the clock face and the globe ask of the window that owns them, and
// what that window asks of them. The Win32 main window implements the host;
// tests and the frame renderer implement it too.
#pragma once

#include <string>
#include <string_view>

#include "parts/pointer_event.h"
#include "parts/ui_language.h"
#include "platform/win32_types.h"

class CCanvas;
class ISettingsStore;

// One popup menu or submenu. Items are found by their command, in nested
// submenus too, never by their position.
class IMenu {
 public:
  virtual ~IMenu() = default;
  virtual void CheckItem(UINT command, bool checked) = 0;
  virtual void EnableItem(UINT command, bool enabled) = 0;
  virtual bool HasItem(UINT command) = 0;
  // The menu or submenu that holds `command` itself, or null.
  virtual IMenu* SubMenuHolding(UINT command) = 0;
  // Appends a text item; deleting a command that is absent does nothing.
  virtual void AppendItem(UINT command, std::u16string_view text, bool grayed,
                          bool checked) = 0;
  virtual void DeleteItem(UINT command) = 0;
};

class IFrameHost {
 public:
  // The pointer position in client pixels.
  virtual POINT CursorInClient() const = 0;
  // Re-arms the window's one timer with a new period.
  virtual void SetTimerPeriod(UINT milliseconds) = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  virtual bool HasMouseCapture() const = 0;
  // The system's dialogs; false when cancelled. `customColors` holds 16.
  virtual bool PickColor(COLORREF& color, COLORREF* customColors) = 0;
  virtual bool PickFont(LOGFONTW& font, int& pointSizeTenths) = 0;
  virtual bool PickTextureFile(std::u16string& path) = 0;
  virtual COLORREF SystemColor(int index) const = 0;
  virtual int PixelsPerInch() const = 0;
  virtual SYSTEMTIME LocalTime() const = 0;
  // The same instant in UTC, for the real Sun (the dial shows local time).
  virtual SYSTEMTIME UtcTime() const = 0;
  // The language the parts' own texts (menu items they add) are shown in.
  virtual UiLanguage Language() const { return UiLanguage::kJapanese; }

 protected:
  ~IFrameHost() = default;
};

// The clock face and the globe, as the main window drives them. Calls come
// in the main window's order: clock first, then globe.
class IFramePart {
 public:
  virtual ~IFramePart() = default;
  // Hosts call LoadSettings right after Create, before the first Layout.
  virtual void Create(IFrameHost& host) = 0;
  virtual void Destroy() = 0;
  virtual void LoadSettings(const ISettingsStore& settings) = 0;
  virtual void SaveSettings(ISettingsStore& settings) = 0;
  virtual void Layout(const RECT& client) = 0;
  // Moves the part on to `localTime`; true when its next frame would differ
  // from the last one it drew, so that a frame nobody would see as new is
  // never composed.
  virtual bool Tick(const SYSTEMTIME& localTime) = 0;
  virtual void Draw(CCanvas& canvas) = 0;
  // True when the command was this part's.
  virtual bool OnCommand(UINT command) = 0;
  // Sets the marks of this part's items in the popup, found by command.
  virtual void UpdateMenu(IMenu& popup) = 0;
  virtual void OnWheel(const WheelStep& step) { (void)step; }
  virtual void OnPointerMove(const PointerEvent& event) { (void)event; }
  // The left button went down or up; the right one opens the menu, which
  // the host shows.
  virtual void OnLeftPress(const PointerEvent& event) { (void)event; }
  virtual void OnLeftRelease(const PointerEvent& event) { (void)event; }
  virtual void OnCaptureLost() {}
};

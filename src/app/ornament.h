// COrnament: the running program, whatever window it is shown in. It owns
// the canvas, the clock face and the globe in their order, the window's two
// switches, the settings file and the interface language, and carries out
// every rule the hosts share: loading and saving the settings, the frame
// sequence, the command routing and the pointer handed to the parts. A host
// (the Windows window, the Linux one, the frame renderer) implements
// IOrnamentHost and feeds the ornament its window system's events, decoded
// into the program's own.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "app/command_routing.h"
#include "app/ornament_host.h"
#include "app/settings_file.h"
#include "parts/clock/clock_frm.h"
#include "parts/earth/earth_frm.h"
#include "pixels/canvas.h"

class COrnament final : private IMainWindow {
 public:
  explicit COrnament(IOrnamentHost& host);
  ~COrnament();
  COrnament(const COrnament&) = delete;
  COrnament& operator=(const COrnament&) = delete;

  // Opens the settings file (none without a location), chooses the
  // interface language, creates the parts and loads every setting: the
  // window is placed on some monitor and its switches are set.
  void Start(std::optional<SettingsLocation> location,
             CSettingsFile::MakeFolder makeFolder);
  // Saves once on the way out (every exit path may ask) and lets the parts
  // go; nothing reaches them afterwards.
  void Stop();

  // Sizes the canvas to the host's client area, lays out every part and
  // presents a frame.
  void Layout() override;
  // Moves every part on to the host's local time; composes and presents a
  // frame only when something on it changed. True when it did.
  bool Tick();
  // Composes and presents a frame as things stand.
  void Compose();
  // The frame the host shows: premultiplied, bottom-up rows.
  const CCanvas& Frame() const { return canvas; }

  // A menu command; false when it belongs to nobody.
  bool Command(UINT command);
  void PointerMove(const PointerEvent& event);
  void LeftPress(const PointerEvent& event);
  void LeftRelease(const PointerEvent& event);
  void Wheel(const WheelStep& step);
  // The window system took the pointer away mid-drag.
  void CaptureLost();

  // Sets every mark of the host's popup menu.
  void UpdateMenu() override;
  // Writes every setting; a failure to write anywhere is reported once.
  void SaveSettings() override;

  UiLanguage Language() const { return language; }
  const WindowSwitches& Switches() const { return switches; }
  // The settings file's path, or empty without one.
  std::u16string SettingsPath() const;

  // The parts themselves, for the frame renderer's still frames and tests.
  CClockFrm& Clock() { return clock; }
  CEarthFrm& Globe() { return globe; }

 private:
  // IMainWindow: the command routing's calls, the window's own to the host.
  void SetClickThrough(bool on) override { host.SetClickThrough(on); }
  void SetStayOnTop(bool on) override { host.SetStayOnTop(on); }
  void ShowAbout() override { host.ShowAbout(); }
  void Close() override { host.Close(); }
  bool IsOpen() const override { return host.IsOpen(); }

  void LoadSettings();
  void ReleaseParts();
  // Hands an event to every part, in order, while the parts are there.
  template <class... Event>
  void Tell(void (IFramePart::*handler)(const Event&...),
            const Event&... event) {
    if (started)
      for (IFramePart* part : parts) (part->*handler)(event...);
  }

  IOrnamentHost& host;
  std::unique_ptr<CSettingsFile> settings;
  UiLanguage language = UiLanguage::kJapanese;
  WindowSwitches switches;
  CCanvas canvas;
  CClockFrm clock;
  CEarthFrm globe;
  // The clock face and the globe, in the order every call but drawing goes
  // to them; drawing runs backwards, the globe being the bottom layer.
  std::vector<IFramePart*> parts;
  bool started = false;
  bool savedAtExit = false;
};

// Where the popup menu opens: at the pointer, or, asked from the keyboard
// (the menu key, Shift+F10), at the window's centre.
POINT MenuPoint(const RECT& window, std::optional<POINT> pointer);

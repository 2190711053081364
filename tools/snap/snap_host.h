// The frame renderer's host: a window of a fixed size that is never on a
// screen, a fixed time (local for the dial, UTC for the Sun), the pointer
// away from the window, Windows' default colours, and dialogs that are
// always cancelled.
#pragma once

#include "app/ornament_host.h"

class CSnapHost : public IOrnamentHost {
 public:
  // Without a UTC time, the local time is taken as UTC.
  explicit CSnapHost(const SYSTEMTIME& now) : CSnapHost(now, now) {}
  CSnapHost(const SYSTEMTIME& now, const SYSTEMTIME& utc, int side = 0)
      : now_(now), utc_(utc), side_(side) {}

  // IFrameHost.
  POINT CursorInClient() const override { return {-1, -1}; }
  void SetTimerPeriod(UINT) override {}
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  bool HasMouseCapture() const override { return false; }
  bool PickColor(COLORREF&, COLORREF*) override { return false; }
  bool PickFont(LOGFONTW&, int&) override { return false; }
  bool PickTextureFile(std::u16string&) override { return false; }
  COLORREF SystemColor(int index) const override;
  int PixelsPerInch() const override { return 96; }
  SYSTEMTIME LocalTime() const override { return now_; }
  SYSTEMTIME UtcTime() const override { return utc_; }

  // IOrnamentHost: a square of `side` pixels, placed nowhere, that keeps
  // no settings of its own.
  RECT ClientRect() const override { return {0, 0, side_, side_}; }
  std::optional<RECT> Placement() override { return std::nullopt; }
  void Place(const RECT&) override {}
  std::vector<MonitorArea> Monitors() const override { return {}; }
  void SetClickThrough(bool) override {}
  void SetStayOnTop(bool) override {}
  void ShowAbout() override {}
  void Close() override {}
  bool IsOpen() const override { return true; }
  void Present() override {}
  IMenu* PopupMenu() override { return nullptr; }
  void ReportSaveFailure() override {}
  bool SystemSpeaksJapanese() const override { return true; }

 private:
  SYSTEMTIME now_;
  SYSTEMTIME utc_;
  int side_;
};

// The frame host of the frame renderer: a fixed time (local for the dial,
// UTC for the Sun), the pointer away from
// the window, Windows' default colours, and dialogs that are always
// cancelled.
#pragma once

#include "framepart/frame_host.h"

class CSnapHost : public IFrameHost {
 public:
  // Without a UTC time, the local time is taken as UTC.
  explicit CSnapHost(const SYSTEMTIME& now) : CSnapHost(now, now) {}
  CSnapHost(const SYSTEMTIME& now, const SYSTEMTIME& utc)
      : now_(now), utc_(utc) {}

  HWND Window() const override { return nullptr; }
  HINSTANCE Instance() const override { return nullptr; }
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

 private:
  SYSTEMTIME now_;
  SYSTEMTIME utc_;
};

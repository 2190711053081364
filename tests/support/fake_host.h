// A frame host whose pointer, dialogs and clock the test controls.
#pragma once

#include <functional>
#include <string>

#include "parts/frame_host.h"

class FakeHost : public IFrameHost {
 public:
  POINT CursorInClient() const override { return cursor; }
  void SetTimerPeriod(UINT milliseconds) override {
    timerPeriod = milliseconds;
  }
  void CaptureMouse() override { captured = true; }
  void ReleaseMouse() override { captured = false; }
  bool HasMouseCapture() const override { return captured; }
  bool PickColor(COLORREF& color, COLORREF*) override {
    ++colorDialogs;
    if (duringDialog) duringDialog();
    if (!colorChoice) return false;
    color = *colorChoice;
    return true;
  }
  bool PickFont(LOGFONTW& font, int& pointSizeTenths) override {
    if (!fontChoice) return false;
    font.lfWeight = fontChoice->weight;
    pointSizeTenths = fontChoice->pointSizeTenths;
    return true;
  }
  bool PickTextureFile(std::u16string& path) override {
    if (duringDialog) duringDialog();
    if (texturePath.empty()) return false;
    path = texturePath;
    return true;
  }
  COLORREF SystemColor(int index) const override {
    return index == 15 ? RGB(212, 208, 200) : RGB(255, 255, 225);
  }
  int PixelsPerInch() const override { return 96; }
  SYSTEMTIME LocalTime() const override { return now; }
  // The tests' clock runs in UTC.
  SYSTEMTIME UtcTime() const override { return now; }

  struct FontChoice {
    LONG weight;
    int pointSizeTenths;
  };
  POINT cursor{-1, -1};
  UINT timerPeriod = 0;
  bool captured = false;
  const COLORREF* colorChoice = nullptr;
  const FontChoice* fontChoice = nullptr;
  int colorDialogs = 0;
  // Runs while a colour or file dialog is open (the window may go away).
  std::function<void()> duringDialog;
  std::u16string texturePath;
  SYSTEMTIME now{2026, 12, 1, 7, 10, 20, 30, 0};
};

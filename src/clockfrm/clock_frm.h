// CClockFrm: the clock face. Twelve embossed dial characters pre-rendered
// into a layer of their own, three anti-aliased bevelled hands drawn every
// frame, and a month calendar that fades in while the pointer rests on the
// characters. It is not a window: the main window drives it through
// IFramePart and lends it what it needs through IFrameHost.
#pragma once

#include <memory>
#include <vector>

#include "alphablend/canvas.h"
#include "gdiobjects/gdi_objects.h"
#include "mainframe/frame_host.h"
#include "threedimrgns/three_dim_rgn.h"

class CClockFrm : public IFramePart {
 public:
  CClockFrm();
  ~CClockFrm() override;

  // IFramePart.
  void Create(IFrameHost& host) override;
  void Destroy() override;
  void LoadSettings(const ISettingsStore& settings) override;
  void SaveSettings(ISettingsStore& settings) override;
  void Layout(const RECT& client) override;
  void Tick(const SYSTEMTIME& localTime) override;
  void Draw(CCanvas& target) override;
  bool OnCommand(UINT command) override;
  void UpdateMenu(IMenu* submenu) override;
  void OnMouseWheel(UINT keys, UINT delta) override;

  // Renders the calendar panel for today into `calendarCanvas`.
  void DrawCalendar();
  void DrawHand(const ThreeDimRgn& set, CCanvas& target, double centreX,
                double centreY, double length, double width, double angle);
  void NextTickChar();

  // The clock's state, read by the main window's tests and the frame
  // renderer as well.
  COLORREF customColors[16];
  char16_t fontStyle[64];
  IFrameHost* owner = nullptr;
  std::unique_ptr<CCanvas> dialCanvas;
  std::unique_ptr<CCanvas> calendarCanvas;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  bool rotation = false;
  bool secHands = true;
  bool smooth = true;
  CFont font;
  std::int32_t size = 100;
  CBrush brush;
  SYSTEMTIME time{};
  ThreeDimRgn dialRgn;
  ThreeDimRgn hourRgn, minRgn, secRgn;
  const char16_t* const* tickStrings;
  std::int32_t tickChar = 0;
  std::int32_t hoverStamp = 0;
  std::int32_t hoverCount = 0;

 private:
  void PickColor(ThreeDimRgn& set);
  void PickFont();
  void RefillDialLayer();
  void SetTickChar(int index);
  CRegion DialRegion(const RECT& client);

  // The parts of the dial layer that hold characters: a frame blends only
  // these, which leaves the same pixels as blending the whole layer.
  std::vector<RECT> dialTiles;
};

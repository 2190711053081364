// CClockFrm: the clock face. Twelve embossed dial characters pre-rendered
// into a layer of their own, three anti-aliased bevelled hands drawn every
// frame, and a month calendar that fades in while the pointer rests on the
// characters. It is not a window: the main window drives it through
// IFramePart and lends it what it needs through IFrameHost.
#pragma once

#include <memory>
#include <vector>

#include "parts/clock/clock_model.h"
#include "parts/frame_host.h"
#include "pixels/canvas.h"
#include "regions/three_dim_rgn.h"
#include "text/gdi_objects.h"

class CRegion;

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
  bool Tick(const SYSTEMTIME& localTime) override;
  void Draw(CCanvas& target) override;
  bool OnCommand(UINT command) override;
  void UpdateMenu(IMenu& popup) override;
  void OnWheel(const WheelStep& step) override;

  // The pointer has rested on the characters as `hover` says (the frame
  // renderer's --hover: the calendar as it is after so many tenths).
  void SetHover(HoverState hover);
  HoverState Hover() const { return {hoverCount, hoverStamp}; }

  // What the face shows: colours and alphas of the characters and hands,
  // the font, the character set and size, and the switches.
  const ThreeDimRgn& DialLook() const { return dialRgn; }
  const ThreeDimRgn& HourHandLook() const { return hourRgn; }
  const ThreeDimRgn& MinuteHandLook() const { return minRgn; }
  const ThreeDimRgn& SecondHandLook() const { return secRgn; }
  const CFont& Font() const { return font; }
  std::int32_t CharacterSet() const { return tickChar; }
  std::int32_t CharacterSize() const { return size; }
  bool RotatesCharacters() const { return rotation; }
  bool ShowsSecondHand() const { return secHands; }
  bool MovesSmoothly() const { return smooth; }
  // The pre-rendered layer of embossed characters (premultiplied).
  const CCanvas& DialLayer() const { return *dialCanvas; }

 private:
  struct DrawnState {
    SYSTEMTIME time{};
    std::int32_t hoverCount = -1;
    bool operator==(const DrawnState& other) const;
  };

  void DrawCalendar();
  void DrawHand(const ThreeDimRgn& set, CCanvas& target, double centreX,
                double centreY, double length, double width, double angle);
  void NextTickChar();
  void PickColor(ThreeDimRgn& set);
  void PickFont();
  void RefillDialLayer();
  void SetTickChar(int index);
  CRegion DialRegion(const RECT& client);

  COLORREF customColors[16];
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
  // The parts of the dial layer that hold characters: a frame blends only
  // these, which leaves the same pixels as blending the whole layer.
  std::vector<RECT> dialTiles;
  DrawnState drawn;
  bool redraw = true;  // something drawn changed beyond what DrawnState holds
};

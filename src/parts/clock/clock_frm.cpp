#include "parts/clock/clock_frm.h"

#include <algorithm>
#include <cmath>

#include "parts/clock/calendar_model.h"
#include "parts/clock/clock_model.h"
#include "parts/clock/dial_characters.h"
#include "parts/command_ids.h"
#include "pixels/alpha_blend_canvas.h"
#include "pixels/colors.h"
#include "pixels/drawn_tiles.h"
#include "pixels/polygon_fill.h"
#include "text/text.h"

namespace {
constexpr int kDialTileSize = 32;
}  // namespace

CClockFrm::CClockFrm() : tickStrings(kDialCharacters[0]) {
  std::fill(std::begin(customColors), std::end(customColors),
            RGB(255, 255, 255));
  // Usable values for a layout that may run before the settings are read.
  for (ThreeDimRgn* set : {&dialRgn, &hourRgn, &minRgn, &secRgn}) {
    SetThreeDimRgnColor(*set, RGB(192, 192, 192));
    set->alpha = 128;
  }
}

CClockFrm::~CClockFrm() = default;

void CClockFrm::Create(IFrameHost& host) {
  owner = &host;
  dialCanvas = std::make_unique<CCanvas>();
  calendarCanvas = std::make_unique<CCanvas>();
  font.CreateDefault();
  brush.CreateFromLogBrush(LOGBRUSH{1 /* BS_NULL */, 0, 0});
  hoverStamp = hoverCount = 0;
  time = HandTime(host.LocalTime(), smooth, secHands);
  for (ThreeDimRgn* set : {&dialRgn, &hourRgn, &minRgn, &secRgn})
    InitThreeDimRgn(*set);
}

void CClockFrm::Destroy() {
  owner = nullptr;
  dialCanvas.reset();
  calendarCanvas.reset();
  font.DeleteHandle();
  brush.DeleteHandle();
  for (ThreeDimRgn* set : {&dialRgn, &hourRgn, &minRgn, &secRgn})
    FreeThreeDimRgn(*set);
}

bool CClockFrm::DrawnState::operator==(const DrawnState& other) const {
  return time.wHour == other.time.wHour && time.wMinute == other.time.wMinute &&
         time.wSecond == other.time.wSecond &&
         time.wMilliseconds == other.time.wMilliseconds &&
         hoverCount == other.hoverCount;
}

void CClockFrm::SetHover(HoverState hover) {
  hoverCount = hover.count;
  hoverStamp = hover.stamp;
  redraw = true;
}

bool CClockFrm::Tick(const SYSTEMTIME& localTime) {
  bool onDial = false;
  if (owner && dialCanvas) {
    const POINT p = owner->CursorInClient();
    // The last row and column never count: the test stops one short.
    onDial = p.x >= 0 && p.y >= 0 && p.x < dialCanvas->Width() - 1 &&
             p.y < dialCanvas->Height() - 1 &&
             (dialCanvas->GetPixel(p.x, p.y) >> 24) != 0;
  }
  const HoverState next = StepHover({hoverCount, hoverStamp}, onDial,
                                    TenthsSinceMidnight(localTime));
  hoverCount = next.count;
  hoverStamp = next.stamp;
  time = HandTime(localTime, smooth, secHands);
  return redraw || !(DrawnState{time, hoverCount} == drawn);
}

CRegion CClockFrm::DialRegion(const RECT& client) {
  const std::int32_t w = client.right - client.left;
  const std::int32_t h = client.bottom - client.top;
  const FaceGeometry g = FaceGeometryFor(w, h, size);
  LOGFONTW lf;
  font.GetLogFont(lf);
  lf.lfHeight = g.fontHeight;
  if (!rotation) font.CreateFromLogFont(lf);
  CRegion dial;
  for (int i = 0; i < kHours; ++i) {
    if (rotation) {
      lf.lfEscapement = lf.lfOrientation = DialEscapement(i);
      font.CreateFromLogFont(lf);
    }
    const POINT at = DialReferencePoint(g, i, rotation);
    const CRegion character =
        MakeTextRegion(font, tickStrings[i], at.x, at.y, TA_CENTER | TA_TOP);
    dial = CRegion::Combine(dial, character, RegionOp::kOr);
  }
  return dial;
}

void CClockFrm::Layout(const RECT& client) {
  if (!dialCanvas || !calendarCanvas) return;
  redraw = true;
  const std::int32_t w = client.right - client.left;
  const std::int32_t h = client.bottom - client.top;
  dialCanvas->Resize(w, h);
  calendarCanvas->Resize((3 * w) / 4, (2 * h) / 3);
  SetThreeDimRgnShape(dialRgn, DialRegion(client));
  if (CalendarShown(hoverCount)) DrawCalendar();
  RefillDialLayer();
}

void CClockFrm::RefillDialLayer() {
  if (!dialCanvas) return;
  // Over a cleared layer the blend leaves premultiplied pixels, which is
  // what the per-pixel alpha blend in Draw expects.
  dialCanvas->Clear();
  FillThreeDimRgn(dialRgn, *dialCanvas);
  dialTiles = DrawnTiles(*dialCanvas, kDialTileSize);
}

void CClockFrm::Draw(CCanvas& target) {
  drawn = DrawnState{time, hoverCount};
  redraw = false;
  if (!dialCanvas) return;
  const std::int32_t w = target.Width(), h = target.Height();
  blend.SourceConstantAlpha = 255;
  if (dialCanvas->Width() == w && dialCanvas->Height() == h) {
    for (const RECT& r : dialTiles) {
      const int tw = r.right - r.left, th = r.bottom - r.top;
      AlphaBlendCanvas(target, r.left, r.top, tw, th, *dialCanvas, r.left,
                       r.top, tw, th, blend);
    }
  }

  const FaceGeometry g = FaceGeometryFor(w, h, size);
  const HandAngles a = AnglesOf(time);
  DrawHand(hourRgn, target, g.centreX, g.centreY, g.hourLength, g.hourWidth,
           a.hour);
  DrawHand(minRgn, target, g.centreX, g.centreY, g.minuteLength, g.minuteWidth,
           a.minute);
  if (secHands)
    DrawHand(secRgn, target, g.centreX, g.centreY, g.secondLength,
             g.secondWidth, a.second);

  if (hoverCount == 10) DrawCalendar();
  if (CalendarShown(hoverCount) && calendarCanvas &&
      !calendarCanvas->IsEmpty()) {
    const std::int32_t pw = calendarCanvas->Width(),
                       ph = calendarCanvas->Height();
    blend.SourceConstantAlpha = CalendarAlpha(hoverCount);
    AlphaBlendCanvas(target, (w - pw) / 2, (h - ph) / 2, pw, ph,
                     *calendarCanvas, 0, 0, pw, ph, blend);
  }
}

void CClockFrm::DrawHand(const ThreeDimRgn& set, CCanvas& target,
                         double centreX, double centreY, double length,
                         double width, double angle) {
  const double k = width * 0.5;
  // Along the hand (u, negative toward the tip) and across it (v).
  const double corners[4][2] = {
      {k, -k}, {k, k}, {k - length, k}, {k - length, -k}};
  const double c = std::cos(angle), s = std::sin(angle);
  Point2D points[4];
  for (int i = 0; i < 4; ++i) {
    const double u = corners[i][0], v = corners[i][1];
    points[i] = {centreX + v * c + u * s, centreY - v * s + u * c};
  }
  FillPolygon(target, points, 4, ColorToPixelAlpha(set.crHighlight, set.alpha),
              ColorToPixelAlpha(set.crShadow, set.alpha),
              ColorToPixelAlpha(set.crFace, set.alpha));
}

void CClockFrm::SetTickChar(int index) {
  tickChar = DialCharacterSetInRange(index);
  tickStrings = kDialCharacters[tickChar];
}

void CClockFrm::NextTickChar() { SetTickChar(tickChar + 1); }

bool CClockFrm::OnCommand(UINT command) {
  redraw = true;
  switch (command) {
    case IDM_HOUR_HAND_COLOR:
      PickColor(hourRgn);
      return true;
    case IDM_MINUTE_HAND_COLOR:
      PickColor(minRgn);
      return true;
    case IDM_SECOND_HAND_COLOR:
      PickColor(secRgn);
      return true;
    case IDM_DIAL_COLOR:
      PickColor(dialRgn);
      return true;
    case IDM_FONT:
      PickFont();
      return true;
    case IDM_NEXT_CHARACTERS:
      NextTickChar();
      return true;
    case IDM_ROTATE_CHARACTERS:
      rotation = !rotation;
      return true;
    case IDM_SECOND_HAND:
      secHands = !secHands;
      return true;
    case IDM_SMOOTH:
      smooth = !smooth;
      return true;
    default:
      return false;
  }
}

void CClockFrm::PickColor(ThreeDimRgn& set) {
  if (!owner) return;
  COLORREF color = set.crFace;
  if (!owner->PickColor(color, customColors) || !owner) return;
  SetThreeDimRgnColor(set, color);
  RefillDialLayer();
}

void CClockFrm::PickFont() {
  if (!owner) return;
  LOGFONTW lf;
  font.GetLogFont(lf);
  // The dialog opens at size / 10 points.
  lf.lfHeight =
      -std::int32_t((std::int64_t{size} * owner->PixelsPerInch() + 360) / 720);
  int pointSize = size;
  // The window may be gone when the dialog returns (exit from the
  // notification icon meanwhile): then there is nothing left to change.
  if (!owner->PickFont(lf, pointSize) || !owner) return;
  size = UsableCharacterSize(pointSize);
  font.CreateFromLogFont(lf);
  RefillDialLayer();
}

void CClockFrm::UpdateMenu(IMenu& popup) {
  popup.CheckItem(IDM_ROTATE_CHARACTERS, rotation);
  popup.CheckItem(IDM_SECOND_HAND, secHands);
  popup.CheckItem(IDM_SMOOTH, smooth);
}

void CClockFrm::OnWheel(const WheelStep& wheel) {
  if (wheel.delta == 0) return;
  const bool dial = wheel.shift;
  const int step = wheel.delta > 0 ? 1 : -1;  // away from the user: more opaque
  const int current = dial ? dialRgn.alpha : hourRgn.alpha;
  const BYTE next = BYTE(std::clamp(current + step, 16, 255));
  redraw = true;
  if (dial) {
    dialRgn.alpha = next;
    RefillDialLayer();
  } else {
    hourRgn.alpha = minRgn.alpha = secRgn.alpha = next;
  }
}

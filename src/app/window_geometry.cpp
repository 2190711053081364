#include "app/window_geometry.h"

#include <cmath>

#include "app/hit_areas.h"
#include "base/angles.h"

namespace {

int RimSector(double u, double v) {
  const int s = static_cast<int>(8 * std::atan2(v, u) / kPi);
  switch (s) {
    case 0:
      return HTRIGHT;
    case 1:
    case 2:
      return HTBOTTOMRIGHT;
    case 3:
    case 4:
      return HTBOTTOM;
    case 5:
    case 6:
      return HTBOTTOMLEFT;
    case -1:
    case -2:
      return HTTOPRIGHT;
    case -3:
    case -4:
      return HTTOP;
    case -5:
    case -6:
      return HTTOPLEFT;
    default:
      return HTLEFT;
  }
}

bool IsOneOf(int edge, int a, int b, int c) {
  return edge == a || edge == b || edge == c;
}
}  // namespace

int HitTest(const RECT& window, int x, int y) {
  const int cx = (window.left + window.right) / 2;
  const int cy = (window.top + window.bottom) / 2;
  // A window too small to have a rim (or a broken rectangle) is all centre.
  if (cx <= window.left || cy <= window.top) return HTCAPTION;
  const double u = double(x - cx) / (cx - window.left);
  const double v = double(y - cy) / (cy - window.top);
  const double r = std::sqrt(u * u + v * v);
  if (r < 0.2) return HTCAPTION;
  if (r < 0.8) return HTCLIENT;
  return RimSector(u, v);
}

bool OnSizing(int edge, RECT& rect) {
  int w = rect.right - rect.left;
  int h = rect.bottom - rect.top;
  if (h < kMinimumSide) {
    h = kMinimumSide;
    if (IsOneOf(edge, WMSZ_TOP, WMSZ_TOPLEFT, WMSZ_TOPRIGHT))
      rect.top = rect.bottom - kMinimumSide;
    else if (IsOneOf(edge, WMSZ_BOTTOM, WMSZ_BOTTOMLEFT, WMSZ_BOTTOMRIGHT))
      rect.bottom = rect.top + kMinimumSide;
  }
  if (w < kMinimumSide) {
    w = kMinimumSide;
    if (IsOneOf(edge, WMSZ_LEFT, WMSZ_TOPLEFT, WMSZ_BOTTOMLEFT))
      rect.left = rect.right - kMinimumSide;
    else if (IsOneOf(edge, WMSZ_RIGHT, WMSZ_TOPRIGHT, WMSZ_BOTTOMRIGHT))
      rect.right = rect.left + kMinimumSide;
  }
  switch (edge) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT: {
      const int d = (w - h) / 2;  // the height follows the width, centred
      rect.top -= d;
      rect.bottom += d;
      break;
    }
    case WMSZ_TOP:
    case WMSZ_BOTTOM: {
      const int d = (h - w) / 2;
      rect.left -= d;
      rect.right += d;
      break;
    }
    case WMSZ_TOPLEFT:
      if (h > w)
        rect.left = rect.right - h;
      else
        rect.top = rect.bottom - w;
      break;
    case WMSZ_TOPRIGHT:
      if (h > w)
        rect.right = rect.left + h;
      else
        rect.top = rect.bottom - w;
      break;
    case WMSZ_BOTTOMLEFT:
      if (h > w)
        rect.left = rect.right - h;
      else
        rect.bottom = rect.top + w;
      break;
    case WMSZ_BOTTOMRIGHT:
      if (h > w)
        rect.right = rect.left + h;
      else
        rect.bottom = rect.top + w;
      break;
    default:
      break;
  }
  return true;
}

int CursorForHitTest(int hitTest) {
  switch (HitAreaOf(hitTest).pointer) {
    case PointerShape::kArrow:
      return 32512;  // IDC_ARROW
    case PointerShape::kMove:
      return 32646;  // IDC_SIZEALL
    case PointerShape::kSizeWE:
      return 32644;  // IDC_SIZEWE
    case PointerShape::kSizeNS:
      return 32645;  // IDC_SIZENS
    case PointerShape::kSizeNWSE:
      return 32642;  // IDC_SIZENWSE
    case PointerShape::kSizeNESW:
      return 32643;  // IDC_SIZENESW
    case PointerShape::kUnchanged:
      break;
  }
  return 0;
}

unsigned SysCommandForHitTest(int hitTest) {
  constexpr unsigned kMove = 0xF010, kSize = 0xF000;
  if (hitTest == HTCAPTION) return kMove + 2;  // move by dragging
  const int edge = HitAreaOf(hitTest).sizingEdge;
  return edge ? kSize + unsigned(edge) : 0;
}

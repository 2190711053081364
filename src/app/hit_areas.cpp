#include "app/hit_areas.h"

#include "platform/win32_types.h"

namespace {
constexpr HitArea kAreas[] = {
    {HTCLIENT, {}, 0, PointerShape::kArrow},
    {HTCAPTION, {}, 0, PointerShape::kMove},
    {HTLEFT, {.left = true}, WMSZ_LEFT, PointerShape::kSizeWE},
    {HTRIGHT, {.right = true}, WMSZ_RIGHT, PointerShape::kSizeWE},
    {HTTOP, {.top = true}, WMSZ_TOP, PointerShape::kSizeNS},
    {HTBOTTOM, {.bottom = true}, WMSZ_BOTTOM, PointerShape::kSizeNS},
    {HTTOPLEFT,
     {.left = true, .top = true},
     WMSZ_TOPLEFT,
     PointerShape::kSizeNWSE},
    {HTBOTTOMRIGHT,
     {.right = true, .bottom = true},
     WMSZ_BOTTOMRIGHT,
     PointerShape::kSizeNWSE},
    {HTTOPRIGHT,
     {.top = true, .right = true},
     WMSZ_TOPRIGHT,
     PointerShape::kSizeNESW},
    {HTBOTTOMLEFT,
     {.left = true, .bottom = true},
     WMSZ_BOTTOMLEFT,
     PointerShape::kSizeNESW},
};
constexpr HitArea kNowhere{0, {}, 0, PointerShape::kUnchanged};
}  // namespace

const HitArea& HitAreaOf(int hitTest) {
  for (const HitArea& area : kAreas)
    if (area.hitTest == hitTest) return area;
  return kNowhere;
}

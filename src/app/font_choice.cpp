#include "app/font_choice.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/utf.h"

namespace {
constexpr int kLargestTenths = 16384;

std::u16string FaceName(const LOGFONTW& font) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && font.lfFaceName[i]; ++i)
    face.push_back(font.lfFaceName[i]);
  return face;
}

void SetFaceName(LOGFONTW& font, std::u16string_view family) {
  const std::size_t length = Utf16CutLength(family, LF_FACESIZE - 1);
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), u'\0');
  std::copy_n(family.begin(), length, font.lfFaceName);
}
}  // namespace

FontChoice FontChoiceFromLogFont(const LOGFONTW& font, int pointSizeTenths) {
  FontChoice choice;
  choice.family = FaceName(font);
  choice.weight =
      font.lfWeight <= 0 ? FW_NORMAL : std::min(1000, int(font.lfWeight));
  choice.italic = font.lfItalic != 0;
  choice.pointSizeTenths = std::clamp(pointSizeTenths, 1, kLargestTenths);
  return choice;
}

void ApplyFontChoice(const FontChoice& choice, int pixelsPerInch,
                     LOGFONTW& font, int& pointSizeTenths) {
  const int tenths = std::clamp(choice.pointSizeTenths, 1, kLargestTenths);
  SetFaceName(font, choice.family);
  font.lfWeight = std::clamp(choice.weight, 1, 1000);
  font.lfItalic = choice.italic ? 1 : 0;
  font.lfHeight =
      -std::int32_t((std::int64_t{tenths} * pixelsPerInch + 360) / 720);
  pointSizeTenths = tenths;
}

int PointSizeTenths(double points) {
  if (!(points > 0)) return 1;  // NaN and nonsense too
  const double tenths = std::round(points * 10);
  return tenths >= kLargestTenths ? kLargestTenths
                                  : std::max(1, static_cast<int>(tenths));
}

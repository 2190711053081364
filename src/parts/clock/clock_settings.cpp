// The clock's sections of the settings file: Font, Color and its keys of
// Option.
#include <algorithm>
#include <string>

#include "base/utf.h"
#include "parts/clock/clock_frm.h"
#include "parts/clock/dial_characters.h"
#include "settings/settings_store.h"
#include "settings/settings_values.h"

namespace {
constexpr std::u16string_view kFont = u"Font", kColor = u"Color",
                              kOption = u"Option";
constexpr int kColorButtonFace = 15;  // COLOR_BTNFACE

std::u16string FaceNameOf(const LOGFONTW& lf) {
  const WCHAR* name = lf.lfFaceName;
  std::size_t n = 0;
  while (n < LF_FACESIZE && name[n]) ++n;
  return std::u16string(name, name + n);
}

// At most 31 units and a terminator, never half of a surrogate pair.
void SetFaceName(LOGFONTW& lf, std::u16string_view name) {
  const std::size_t n = Utf16CutLength(name, LF_FACESIZE - 1);
  std::copy_n(name.begin(), n, lf.lfFaceName);
  lf.lfFaceName[n] = 0;
}

COLORREF ReadColor(const ISettingsStore& s, std::u16string_view key,
                   COLORREF fallback) {
  return COLORREF(
      std::uint32_t(ReadInt(s, kColor, key, std::int32_t(fallback))));
}
}  // namespace

void CClockFrm::LoadSettings(const ISettingsStore& s) {
  redraw = true;
  LOGFONTW lf;
  font.GetLogFont(lf);
  SetFaceName(lf, s.ReadString(kFont, u"Name", FaceNameOf(lf)));
  lf.lfWeight = ReadBool(s, kFont, u"Bold", false) ? 700 : 400;
  lf.lfItalic = ReadBool(s, kFont, u"Italic", false) ? 1 : 0;
  font.CreateFromLogFont(lf);
  size = UsableCharacterSize(ReadInt(s, kFont, u"Size", 100));
  // An index outside the sixteen sets wraps around instead of reading past
  // the table.
  SetTickChar(ReadInt(s, kFont, u"TickChar", 1));
  rotation = ReadBool(s, kFont, u"Rotation", false);

  SetThreeDimRgnColor(hourRgn, ReadColor(s, u"HourHand", RGB(0, 0, 255)));
  SetThreeDimRgnColor(minRgn, ReadColor(s, u"MinHand", RGB(0, 255, 0)));
  SetThreeDimRgnColor(secRgn, ReadColor(s, u"SecHand", RGB(255, 0, 0)));
  const COLORREF buttonFace =
      owner ? owner->SystemColor(kColorButtonFace) : RGB(240, 240, 240);
  SetThreeDimRgnColor(dialRgn, ReadColor(s, u"Mojiban", buttonFace));

  smooth = ReadBool(s, kOption, u"Smooth", true);
  secHands = ReadBool(s, kOption, u"SecHands", true);
  // The alphas are bytes: the low eight bits of the number (300 is 44).
  dialRgn.alpha = BYTE(ReadInt(s, kOption, u"MojiAlpha", 128));
  hourRgn.alpha = BYTE(ReadInt(s, kOption, u"HandsAlpha", 128));
  minRgn.alpha = secRgn.alpha = hourRgn.alpha;
}

void CClockFrm::SaveSettings(ISettingsStore& s) {
  LOGFONTW lf;
  font.GetLogFont(lf);
  s.WriteString(kFont, u"Name", FaceNameOf(lf));
  WriteBool(s, kFont, u"Bold", lf.lfWeight >= 700);
  WriteBool(s, kFont, u"Italic", lf.lfItalic != 0);
  WriteInt(s, kFont, u"Size", size);
  WriteInt(s, kFont, u"TickChar", tickChar);
  WriteBool(s, kFont, u"Rotation", rotation);
  WriteInt(s, kColor, u"HourHand", std::int32_t(hourRgn.crFace));
  WriteInt(s, kColor, u"SecHand", std::int32_t(secRgn.crFace));
  WriteInt(s, kColor, u"MinHand", std::int32_t(minRgn.crFace));
  WriteInt(s, kColor, u"Mojiban", std::int32_t(dialRgn.crFace));
  WriteBool(s, kOption, u"Smooth", smooth);
  WriteBool(s, kOption, u"SecHands", secHands);
  WriteInt(s, kOption, u"MojiAlpha", dialRgn.alpha);
  WriteInt(s, kOption, u"HandsAlpha", hourRgn.alpha);
}

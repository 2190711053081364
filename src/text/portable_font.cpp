#include "text/portable_font.h"

#include FT_ADVANCES_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/utf.h"
#include "text/font_matching.h"

namespace {

// A dial font rarely needs more than one or two stand-in faces; the bound
// keeps a string of exotic characters from opening every font installed.
constexpr std::size_t kMaxFaces = 16;

// Fake bold widens each stem by about a twenty-fourth of the em, as FreeType
// and GDI both do; fake italic slants by about 12 degrees.
constexpr FT_Pos kEmboldenDivisor = 24;
constexpr FT_Fixed kObliqueShear = 0x0366A;

constexpr BYTE kFamilyMask = 0xF0;
constexpr BYTE kFamilyRoman = 0x10;
constexpr BYTE kFamilyModern = 0x30;
constexpr BYTE kFixedPitch = 0x01;

FT_Library Library() {
  // Lives as long as the process: faces may be released from static
  // destructors in any order.
  static const FT_Library library = [] {
    FT_Library made = nullptr;
    return FT_Init_FreeType(&made) == 0 ? made : nullptr;
  }();
  return library;
}

std::string GenericFamily(BYTE pitchAndFamily) {
  if ((pitchAndFamily & kFamilyMask) == kFamilyRoman) return "serif";
  if ((pitchAndFamily & kFamilyMask) == kFamilyModern ||
      (pitchAndFamily & 0x03) == kFixedPitch)
    return "monospace";
  return "sans-serif";
}

// The font's cell in font units. GDI builds its cell from the OS/2 Windows
// metrics, so those come first; hhea and the bounding box are fallbacks for
// fonts without them.
void CellUnits(FT_Face face, double& ascent, double& descent) {
  const auto* os2 =
      static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF &&
      int(os2->usWinAscent) + int(os2->usWinDescent) > 0) {
    ascent = os2->usWinAscent;
    descent = os2->usWinDescent;
    return;
  }
  ascent = face->ascender;
  descent = -double(face->descender);
  if (ascent + descent > 0) return;
  ascent = double(face->bbox.yMax);
  descent = -double(face->bbox.yMin);
  if (ascent + descent > 0) return;
  ascent = face->units_per_EM ? face->units_per_EM : 1;
  descent = 0;
}

std::unique_ptr<FaceSlot> OpenFace(const FaceMatch& match,
                                   const PortableFont& font) {
  FT_Library library = Library();
  if (!library) return nullptr;
  auto slot = std::make_unique<FaceSlot>();
  if (FT_New_Face(library, match.file.c_str(), match.index, &slot->face) != 0) {
    slot->face = nullptr;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(slot->face) || slot->face->units_per_EM == 0)
    return nullptr;
  // Most fonts select it themselves; symbol-only fonts may not have it.
  FT_Select_Charmap(slot->face, FT_ENCODING_UNICODE);
  slot->file = match.file;
  slot->index = match.index;
  slot->emboldenSim = font.wantBold && (!match.bold || match.embolden);
  slot->obliqueSim = font.wantItalic && !match.italic;
  if (font.emPixels > 0 &&
      FT_Set_Pixel_Sizes(slot->face, 0, FT_UInt(font.emPixels)) != 0)
    return nullptr;
  return slot;
}

std::int64_t EmFromRequest(LONG lfHeight, FT_Face face) {
  const std::int64_t height = lfHeight;
  std::int64_t em = 0;
  if (height < 0) {
    em = -height;
  } else if (height == 0) {
    em = kDefaultEmPixels;
  } else {
    // A positive height is the whole cell; scale it back to the em.
    double ascent = 0;
    double descent = 0;
    CellUnits(face, ascent, descent);
    const double scaled =
        double(height) * double(face->units_per_EM) / (ascent + descent);
    em = scaled >= double(kMaxEmPixels) ? kMaxEmPixels
                                        : std::int64_t(std::llround(scaled));
  }
  return std::clamp<std::int64_t>(em, 1, kMaxEmPixels);
}

}  // namespace

FaceSlot::~FaceSlot() {
  if (face) FT_Done_Face(face);
}

PortableFont::~PortableFont() { FreeFontSet(fallbackOrder); }

std::string FaceNameToUtf8(const WCHAR (&name)[LF_FACESIZE]) {
  std::size_t length = 0;
  while (length < std::size_t(LF_FACESIZE) && name[length] != 0) ++length;
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(name), length));
}

// Family names come from fontconfig as UTF-8; anything malformed becomes
// U+FFFD rather than being trusted.
void Utf8ToFaceName(std::string_view utf8, WCHAR (&name)[LF_FACESIZE]) {
  std::size_t used = 0;
  std::u16string units;
  for (std::size_t pos = 0; pos < utf8.size();) {
    units.clear();
    AppendUtf16(units, NextUtf8(utf8, pos));
    if (used + units.size() > std::size_t(LF_FACESIZE) - 1) break;
    for (char16_t unit : units) name[used++] = WCHAR(unit);
  }
  while (used < std::size_t(LF_FACESIZE)) name[used++] = 0;
}

std::unique_ptr<PortableFont> RealizeFont(const LOGFONTW& request,
                                          LOGFONTW& made) {
  auto font = std::make_unique<PortableFont>();
  font->wantBold = request.lfWeight >= 600;
  font->wantItalic = request.lfItalic != 0;
  font->escapement = request.lfEscapement;
  font->family = FaceNameToUtf8(request.lfFaceName);
  if (font->family.empty())
    font->family = GenericFamily(request.lfPitchAndFamily);
  const FontQuery query{font->family, font->wantBold, font->wantItalic};

  std::optional<FaceMatch> match = MatchFont(query);
  std::unique_ptr<FaceSlot> primary;
  if (match) primary = OpenFace(*match, *font);
  if (!primary) {
    // Fontconfig's pick would not open (a stale cache, a broken file): take
    // the next font in its order that does.
    font->fallbackOrder = SortFonts(query);
    font->fallbackOrderTried = true;
    for (std::size_t i = 0; !primary && i < FontSetSize(font->fallbackOrder);
         ++i) {
      match = FontSetEntry(font->fallbackOrder, i, 0);
      if (match) primary = OpenFace(*match, *font);
    }
  }
  if (!primary) return nullptr;

  FT_Face face = primary->face;
  font->emPixels = std::int32_t(EmFromRequest(request.lfHeight, face));
  if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(font->emPixels)) != 0) return nullptr;
  double ascentUnits = 0;
  double descentUnits = 0;
  CellUnits(face, ascentUnits, descentUnits);
  const double scale = double(font->emPixels) / double(face->units_per_EM);
  font->ascent = std::int32_t(std::lround(ascentUnits * scale));
  font->descent = std::int32_t(std::lround(descentUnits * scale));

  made = request;
  made.lfHeight = -font->emPixels;
  made.lfWidth = 0;
  made.lfWeight = match->bold || primary->emboldenSim ? FW_BOLD : FW_NORMAL;
  made.lfItalic = match->italic || primary->obliqueSim ? 1 : 0;
  std::string family = match->family;
  if (family.empty() && face->family_name) family = face->family_name;
  Utf8ToFaceName(family, made.lfFaceName);

  font->faces.push_back(std::move(primary));
  return font;
}

GlyphRef FindGlyph(PortableFont& font, char32_t ch) {
  if (font.faces.empty()) return {};
  if (auto cached = font.glyphCache.find(ch); cached != font.glyphCache.end())
    return cached->second;

  GlyphRef found{0, 0};  // the missing-glyph box unless a face has it
  for (std::size_t i = 0; i < font.faces.size(); ++i) {
    if (FT_UInt index = FT_Get_Char_Index(font.faces[i]->face, ch)) {
      found = {int(i), index};
      break;
    }
  }
  if (found.index == 0 && font.faces.size() < kMaxFaces) {
    if (!font.fallbackOrderTried) {
      font.fallbackOrder =
          SortFonts(FontQuery{font.family, font.wantBold, font.wantItalic});
      font.fallbackOrderTried = true;
    }
    for (std::size_t i = 0; i < FontSetSize(font.fallbackOrder); ++i) {
      std::optional<FaceMatch> match = FontSetEntry(font.fallbackOrder, i, ch);
      if (!match) continue;
      const bool open = std::any_of(
          font.faces.begin(), font.faces.end(), [&](const auto& slot) {
            return slot->file == match->file && slot->index == match->index;
          });
      if (open) continue;  // already asked above, and it lacked the glyph
      std::unique_ptr<FaceSlot> slot = OpenFace(*match, font);
      if (!slot) continue;
      const FT_UInt index = FT_Get_Char_Index(slot->face, ch);
      if (index == 0) continue;
      font.faces.push_back(std::move(slot));
      found = {int(font.faces.size()) - 1, index};
      break;
    }
  }
  font.glyphCache.emplace(ch, found);
  return found;
}

FT_GlyphSlot LoadGlyphOutline(PortableFont& font, const GlyphRef& glyph,
                              bool hinted) {
  if (glyph.face < 0 || std::size_t(glyph.face) >= font.faces.size())
    return nullptr;
  const FaceSlot& slot = *font.faces[std::size_t(glyph.face)];
  const FT_Int32 flags =
      FT_LOAD_NO_BITMAP | (hinted ? FT_LOAD_TARGET_NORMAL : FT_LOAD_NO_HINTING);
  if (FT_Load_Glyph(slot.face, glyph.index, flags) != 0) return nullptr;
  FT_GlyphSlot loaded = slot.face->glyph;
  if (loaded->format != FT_GLYPH_FORMAT_OUTLINE) return nullptr;
  if (slot.obliqueSim) {
    FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
    FT_Outline_Transform(&loaded->outline, &shear);
  }
  if (slot.emboldenSim) {
    const FT_Pos strength =
        std::max<FT_Pos>(64, font.emPixels * 64 / kEmboldenDivisor);
    FT_Outline_EmboldenXY(&loaded->outline, strength, 0);
  }
  return loaded;
}

std::int32_t GlyphAdvance(PortableFont& font, const GlyphRef& glyph) {
  if (glyph.face < 0 || std::size_t(glyph.face) >= font.faces.size()) return 0;
  const FaceSlot& slot = *font.faces[std::size_t(glyph.face)];
  FT_Fixed advance = 0;  // 16.16 pixels
  if (FT_Get_Advance(slot.face, glyph.index,
                     FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP, &advance) != 0)
    return 0;
  std::int32_t pixels = std::int32_t((advance + 0x8000) >> 16);
  if (slot.emboldenSim)
    pixels += std::max<std::int32_t>(1, font.emPixels / kEmboldenDivisor);
  return pixels;
}

TextLayout LayOutText(PortableFont& font, std::u16string_view text) {
  TextLayout layout;
  for (char32_t c : Utf16ToUtf32(text)) {
    const GlyphRef glyph = FindGlyph(font, c);
    layout.glyphs.push_back({glyph, layout.advance});
    layout.advance += GlyphAdvance(font, glyph);
  }
  return layout;
}

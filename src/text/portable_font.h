// The portable build's realized font: a FreeType face found by fontconfig,
// sized in pixels the way GDI sizes a LOGFONTW, with fallback faces for the
// characters it lacks (what Windows calls font linking).
//
// FreeType and fontconfig are used from the main thread only; one FT_Library
// serves the whole process.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/win32_types.h"

struct _FcFontSet;

// Largest em size in pixels we realize; larger requests are clamped to it.
// Beyond this the outlines only cost memory: a glyph 2048 pixels high
// already covers any screen.
constexpr std::int32_t kMaxEmPixels = 2048;
// lfHeight 0 asks for "a reasonable size"; GDI gives roughly this.
constexpr std::int32_t kDefaultEmPixels = 16;

// One opened face with the styling FreeType has to fake because the font
// family has no such face.
struct FaceSlot {
  FaceSlot() = default;
  FaceSlot(const FaceSlot&) = delete;
  FaceSlot& operator=(const FaceSlot&) = delete;
  ~FaceSlot();

  FT_Face face = nullptr;
  std::string file;
  int index = 0;
  bool emboldenSim = false;
  bool obliqueSim = false;
};

// A glyph of one of the font's faces; face < 0 means none is held.
struct GlyphRef {
  int face = -1;  // 0 is the primary face, then the fallbacks
  FT_UInt index = 0;
};

struct PortableFont {
  PortableFont() = default;
  PortableFont(const PortableFont&) = delete;
  PortableFont& operator=(const PortableFont&) = delete;
  ~PortableFont();

  // faces[0] is the face matched for the request; later ones are fallbacks
  // opened on demand.
  std::vector<std::unique_ptr<FaceSlot>> faces;
  std::int32_t emPixels = 0;
  std::int32_t ascent = 0;   // pixels from the cell's top to the baseline
  std::int32_t descent = 0;  // pixels from the baseline to the cell's bottom
  std::int32_t escapement = 0;
  bool wantBold = false;
  bool wantItalic = false;
  std::string family;  // what fontconfig was asked for

  // Filled on the first character the primary face lacks: the faces
  // fontconfig would use in order of preference.
  _FcFontSet* fallbackOrder = nullptr;
  bool fallbackOrderTried = false;
  std::unordered_map<char32_t, GlyphRef> glyphCache;
};

// Realizes `request`; on success `made` describes what was realized.
std::unique_ptr<PortableFont> RealizeFont(const LOGFONTW& request,
                                          LOGFONTW& made);

// The glyph for a character: from the primary face, else from the first
// fallback face that has it, else the primary face's missing-glyph box.
GlyphRef FindGlyph(PortableFont& font, char32_t ch);

// Loads the glyph into its face's slot as an outline, with the faked bold or
// slant applied. `hinted` picks grid-fitted outlines (for drawing) over exact
// ones (for regions). Returns the slot, or null when there is no outline.
FT_GlyphSlot LoadGlyphOutline(PortableFont& font, const GlyphRef& glyph,
                              bool hinted);

// Whole-pixel advance of a glyph, as GDI advances the pen.
std::int32_t GlyphAdvance(PortableFont& font, const GlyphRef& glyph);

// A string laid along the baseline from pen position 0.
struct PlacedGlyph {
  GlyphRef glyph;
  std::int64_t penX = 0;
};
struct TextLayout {
  std::vector<PlacedGlyph> glyphs;
  std::int64_t advance = 0;
};
TextLayout LayOutText(PortableFont& font, std::u16string_view text);

// A face name field (LF_FACESIZE units, terminated or not) as UTF-8.
std::string FaceNameToUtf8(const WCHAR (&name)[LF_FACESIZE]);
// UTF-8 into a face name field, cut at a character boundary so that the
// terminator always fits.
void Utf8ToFaceName(std::string_view utf8, WCHAR (&name)[LF_FACESIZE]);

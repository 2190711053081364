#include "text/font_matching.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace {

// Font sets handed out and not yet freed; they point into fontconfig's
// caches.
std::size_t liveSets = 0;

// Fontconfig keeps part of its parsed configuration unreachable until FcFini,
// which leak checkers report. Releasing it at exit is safe only while no
// font set still points into the caches (a font held by a static object).
void ReleaseFontconfig() {
  if (liveSets == 0) FcFini();
}

bool FontconfigReady() {
  static const bool ready = [] {
    if (FcInit() != FcTrue) return false;
    std::atexit(ReleaseFontconfig);
    return true;
  }();
  return ready;
}

// A pattern for the query with the configuration's substitutions applied,
// which is what turns "sans-serif" into a list of real families.
FcPattern* QueryPattern(const FontQuery& query) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return nullptr;
  FcPatternAddString(pattern, FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(query.family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT,
                      query.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT,
                      query.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  // Regions need outlines; bitmap-only fonts cannot give them.
  FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  return pattern;
}

std::optional<FaceMatch> Describe(const FcPattern* font) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file)
    return std::nullopt;
  FcBool outline = FcFalse;
  if (FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch &&
      !outline)
    return std::nullopt;

  FaceMatch match;
  match.file = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch)
    match.index = index;
  FcChar8* family = nullptr;
  if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch &&
      family)
    match.family = reinterpret_cast<const char*>(family);
  int weight = FC_WEIGHT_REGULAR;
  if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) == FcResultMatch)
    match.bold = weight >= FC_WEIGHT_DEMIBOLD;
  int slant = FC_SLANT_ROMAN;
  if (FcPatternGetInteger(font, FC_SLANT, 0, &slant) == FcResultMatch)
    match.italic = slant != FC_SLANT_ROMAN;
  FcBool embolden = FcFalse;
  if (FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden) == FcResultMatch)
    match.embolden = embolden == FcTrue;
  return match;
}

}  // namespace

std::optional<FaceMatch> MatchFont(const FontQuery& query) {
  if (!FontconfigReady()) return std::nullopt;
  FcPattern* pattern = QueryPattern(query);
  if (!pattern) return std::nullopt;
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!font) return std::nullopt;
  std::optional<FaceMatch> match = Describe(font);
  FcPatternDestroy(font);
  return match;
}

_FcFontSet* SortFonts(const FontQuery& query) {
  if (!FontconfigReady()) return nullptr;
  FcPattern* pattern = QueryPattern(query);
  if (!pattern) return nullptr;
  FcResult result = FcResultNoMatch;
  // Trimmed: a font that adds no characters to the ones before it is never
  // the first to have a character, so it cannot be a fallback.
  FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
  FcPatternDestroy(pattern);
  if (set && set->nfont == 0) {
    FcFontSetDestroy(set);
    return nullptr;
  }
  if (set) ++liveSets;
  return set;
}

void FreeFontSet(_FcFontSet* set) {
  if (!set) return;
  FcFontSetDestroy(set);
  --liveSets;
}

std::size_t FontSetSize(const _FcFontSet* set) {
  return set ? std::size_t(set->nfont) : 0;
}

std::optional<FaceMatch> FontSetEntry(const _FcFontSet* set, std::size_t i,
                                      char32_t ch) {
  if (i >= FontSetSize(set)) return std::nullopt;
  const FcPattern* font = set->fonts[i];
  if (ch != 0) {
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch ||
        !FcCharSetHasChar(chars, FcChar32(ch)))
      return std::nullopt;
  }
  return Describe(font);
}

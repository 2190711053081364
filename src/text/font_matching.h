// Finding font files with fontconfig: the face for a request, and the faces
// that can stand in for characters a face lacks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct _FcFontSet;

struct FontQuery {
  std::string family;  // a family name or a generic one ("sans-serif")
  bool bold = false;
  bool italic = false;
};

struct FaceMatch {
  std::string file;
  int index = 0;
  std::string family;  // the matched font's own (first) family name
  bool bold = false;
  bool italic = false;
  // Fontconfig's configuration asks for a faked bold (the family has no bold
  // face).
  bool embolden = false;
};

// Fontconfig's best outline font for the query, or nothing when fontconfig
// knows no usable font at all.
std::optional<FaceMatch> MatchFont(const FontQuery& query);

// All fonts in fontconfig's order of preference for the query, for fallback
// lookups; null when fontconfig has none. Free with FreeFontSet.
_FcFontSet* SortFonts(const FontQuery& query);
void FreeFontSet(_FcFontSet* set);
std::size_t FontSetSize(const _FcFontSet* set);
// Entry `i` of the set when it is an outline font; when `ch` is not 0 the
// font must also have that character.
std::optional<FaceMatch> FontSetEntry(const _FcFontSet* set, std::size_t i,
                                      char32_t ch);

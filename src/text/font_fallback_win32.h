// Characters the chosen face lacks, drawn with a face that has them, as the
// dial needs whatever face the user picks: GDI draws a missing character as
// the face's empty box, and font linking does not reach paths everywhere.
#pragma once

#include <string_view>
#include <vector>

#include "platform/win32_types.h"

// A stretch of text drawn with one font.
struct FontRun {
  HFONT font;
  std::u16string_view text;
};

// The fonts of one piece of text: the chosen one and, made on first use,
// the same description (weight, style, size, escapement) with each face of
// an ordered list that between them covers the dial's characters.
class CFallbackFonts {
 public:
  CFallbackFonts(HDC dc, HFONT chosen, const LOGFONTW& description);
  ~CFallbackFonts();
  CFallbackFonts(const CFallbackFonts&) = delete;
  CFallbackFonts& operator=(const CFallbackFonts&) = delete;

  // `text` cut into runs: characters the chosen font has, and characters no
  // face has (they show its box), stay with it; every other character goes
  // to the first face of the list that has it. Surrogate pairs stay with the
  // chosen font, since the glyph query knows single units only.
  std::vector<FontRun> Runs(std::u16string_view text);

 private:
  bool Has(HFONT font, char16_t c) const;
  HFONT FontFor(char16_t c);
  HFONT Fallback(std::size_t index);

  HDC dc_;
  HFONT chosen_;
  LOGFONTW description_;
  std::vector<HFONT> fallbacks_;  // null until made
};

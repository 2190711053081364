#include "text/font_fallback_win32.h"

#include <algorithm>
#include <iterator>

#include "platform/wide_text_win32.h"

namespace {
// In order: Windows' symbol face (Roman numerals, circled digits, shapes),
// its Japanese faces from the newest down, then the IPA fonts that Wine and
// Linux systems have.
constexpr const wchar_t* kFallbackFaces[] = {
    L"Segoe UI Symbol", L"Yu Gothic UI", L"Meiryo",
    L"MS Gothic",       L"IPAGothic",    L"IPAPGothic"};
constexpr WORD kMissing = 0xFFFF;

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The glyph index of each unit of `text` in the font selected into `dc`,
// kMissing where the font has none (or for all when the query fails).
std::vector<WORD> GlyphIndices(HDC dc, std::u16string_view text) {
  std::vector<WORD> indices(text.size(), kMissing);
  if (GetGlyphIndicesW(dc, WideData(text), int(text.size()), indices.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    std::fill(indices.begin(), indices.end(), kMissing);
  return indices;
}
}  // namespace

CFallbackFonts::CFallbackFonts(HDC dc, HFONT chosen,
                               const LOGFONTW& description)
    : dc_(dc),
      chosen_(chosen),
      description_(description),
      fallbacks_(std::size(kFallbackFaces), nullptr) {}

CFallbackFonts::~CFallbackFonts() {
  for (HFONT font : fallbacks_)
    if (font) DeleteObject(font);
}

HFONT CFallbackFonts::Fallback(std::size_t index) {
  if (!fallbacks_[index]) {
    LOGFONTW face = description_;
    std::fill(std::begin(face.lfFaceName), std::end(face.lfFaceName), 0);
    const wchar_t* name = kFallbackFaces[index];
    std::copy(name, name + wcslen(name), face.lfFaceName);
    face.lfCharSet = DEFAULT_CHARSET;
    fallbacks_[index] = CreateFontIndirectW(&face);
  }
  return fallbacks_[index];
}

bool CFallbackFonts::Has(HFONT font, char16_t c) const {
  HGDIOBJ previous = SelectObject(dc_, font);
  if (!previous || previous == HGDI_ERROR) return false;
  const bool has = GlyphIndices(dc_, std::u16string_view(&c, 1))[0] != kMissing;
  SelectObject(dc_, previous);
  return has;
}

HFONT CFallbackFonts::FontFor(char16_t c) {
  for (std::size_t i = 0; i < fallbacks_.size(); ++i)
    if (HFONT font = Fallback(i); font && Has(font, c)) return font;
  return chosen_;
}

std::vector<FontRun> CFallbackFonts::Runs(std::u16string_view text) {
  HGDIOBJ previous = SelectObject(dc_, chosen_);
  if (!previous || previous == HGDI_ERROR) return {{chosen_, text}};
  const std::vector<WORD> chosenGlyphs = GlyphIndices(dc_, text);
  SelectObject(dc_, previous);

  std::vector<FontRun> runs;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool keep = chosenGlyphs[i] != kMissing || IsSurrogate(text[i]);
    HFONT font = keep ? chosen_ : FontFor(text[i]);
    if (!runs.empty() && runs.back().font == font)
      runs.back().text = text.substr(runs.back().text.data() - text.data(),
                                     runs.back().text.size() + 1);
    else
      runs.push_back({font, text.substr(i, 1)});
  }
  return runs;
}

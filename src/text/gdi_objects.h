// Owning wrappers of a font and a brush, each with the description the system
// reports for it, so that callers can read it back, change a field and make
// a new one from it.
//
// Windows: GDI fonts and brushes. Portable build: a FreeType face found by
// fontconfig (with fallback faces for characters it lacks) and a plain
// description.
#pragma once

#include "platform/win32_types.h"

#ifdef _WIN32
using FontHandle = HFONT;
using BrushHandle = HBRUSH;
#else
struct PortableFont;
struct PortableBrush;
using FontHandle = PortableFont*;
using BrushHandle = PortableBrush*;
#endif

class CFont {
 public:
  CFont();
  virtual ~CFont();
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  // The system's default GUI font; false only when there is none.
  bool CreateDefault();
  // On failure the held font and its description stay as they were; on
  // success `logFont` holds what the system made of the request.
  bool CreateFromLogFont(const LOGFONTW& request);
  void GetLogFont(LOGFONTW& out) const;
  // Releases the font; the description is kept.
  void DeleteHandle();

  FontHandle handle = nullptr;
  LOGFONTW logFont;
};

class CBrush {
 public:
  CBrush();
  virtual ~CBrush();
  CBrush(const CBrush&) = delete;
  CBrush& operator=(const CBrush&) = delete;

  bool CreateFromLogBrush(const LOGBRUSH& request);
  void DeleteHandle();

  BrushHandle handle = nullptr;
  LOGBRUSH logBrush;
};

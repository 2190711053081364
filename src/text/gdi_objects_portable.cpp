// Fonts are realized with FreeType and fontconfig (portable_font.cpp); a
// brush is only its description, since nothing in the portable build paints
// with brush objects.
#include <cstring>

#include "text/gdi_objects.h"
#include "text/portable_font.h"

struct PortableBrush {
  LOGBRUSH description;
};

namespace {

constexpr UINT kBrushSolid = 0;
constexpr UINT kBrushNull = 1;
constexpr UINT kBrushHatched = 2;
constexpr ULONG_PTR kLastHatch = 5;  // HS_DIAGCROSS

// GDI's default GUI font is 8 points at 96 dpi.
constexpr LONG kDefaultGuiHeight = -11;

}  // namespace

CFont::CFont() { std::memset(&logFont, 0, sizeof logFont); }

CFont::~CFont() { DeleteHandle(); }

bool CFont::CreateDefault() {
  DeleteHandle();
  LOGFONTW request;
  std::memset(&request, 0, sizeof request);
  request.lfHeight = kDefaultGuiHeight;
  request.lfWeight = FW_NORMAL;  // no face name: the configured sans-serif
  LOGFONTW made;
  std::unique_ptr<PortableFont> font = RealizeFont(request, made);
  if (!font) return false;
  handle = font.release();
  logFont = made;
  return true;
}

bool CFont::CreateFromLogFont(const LOGFONTW& request) {
  LOGFONTW made;
  std::unique_ptr<PortableFont> font = RealizeFont(request, made);
  if (!font) return false;
  DeleteHandle();
  handle = font.release();
  logFont = made;
  return true;
}

void CFont::GetLogFont(LOGFONTW& out) const { out = logFont; }

void CFont::DeleteHandle() {
  delete handle;
  handle = nullptr;
}

CBrush::CBrush() { std::memset(&logBrush, 0, sizeof logBrush); }

CBrush::~CBrush() { DeleteHandle(); }

bool CBrush::CreateFromLogBrush(const LOGBRUSH& request) {
  // What GDI reports back: a hollow brush has no colour or hatch, a solid
  // one no hatch. Pattern brushes need bitmaps, which this build lacks.
  LOGBRUSH described{request.lbStyle, 0, 0};
  if (request.lbStyle == kBrushSolid) {
    described.lbColor = request.lbColor;
  } else if (request.lbStyle == kBrushHatched &&
             request.lbHatch <= kLastHatch) {
    described.lbColor = request.lbColor;
    described.lbHatch = request.lbHatch;
  } else if (request.lbStyle != kBrushNull) {
    return false;
  }
  auto* brush = new PortableBrush{described};
  DeleteHandle();
  handle = brush;
  logBrush = described;
  return true;
}

void CBrush::DeleteHandle() {
  delete handle;
  handle = nullptr;
}

#include <cstring>

#include "text/gdi_objects.h"

CFont::CFont() { std::memset(&logFont, 0, sizeof logFont); }

CFont::~CFont() { DeleteHandle(); }

bool CFont::CreateDefault() {
  DeleteHandle();
  HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
  if (!stock) stock = GetStockObject(SYSTEM_FONT);
  if (!stock) return false;
  handle = static_cast<HFONT>(stock);
  LOGFONTW described;
  if (GetObjectW(handle, sizeof described, &described) == sizeof described)
    logFont = described;
  return true;
}

bool CFont::CreateFromLogFont(const LOGFONTW& request) {
  HFONT made = CreateFontIndirectW(&request);
  if (!made) return false;
  DeleteHandle();
  handle = made;
  LOGFONTW described;
  logFont = GetObjectW(handle, sizeof described, &described) == sizeof described
                ? described
                : request;
  return true;
}

void CFont::GetLogFont(LOGFONTW& out) const { out = logFont; }

void CFont::DeleteHandle() {
  // Stock fonts from CreateDefault go the same way; GDI ignores deleting them.
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

CBrush::CBrush() { std::memset(&logBrush, 0, sizeof logBrush); }

CBrush::~CBrush() { DeleteHandle(); }

bool CBrush::CreateFromLogBrush(const LOGBRUSH& request) {
  HBRUSH made = CreateBrushIndirect(&request);
  if (!made) return false;
  DeleteHandle();
  handle = made;
  LOGBRUSH described;
  logBrush =
      GetObjectW(handle, sizeof described, &described) == sizeof described
          ? described
          : request;
  return true;
}

void CBrush::DeleteHandle() {
  if (handle) DeleteObject(handle);
  handle = nullptr;
}

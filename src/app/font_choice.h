// A font as a toolkit's font dialog shows it (family, weight, italic, size in
// points), to and from the description the clock face keeps (LOGFONTW and
// the size in tenths of a point).
#pragma once

#include <string>

#include "platform/win32_types.h"

struct FontChoice {
  std::u16string family;
  int weight = FW_NORMAL;  // 1..1000, as LOGFONTW and OpenType count it
  bool italic = false;
  int pointSizeTenths = 100;
};

// What the dialog opens with. A weight of 0 (any weight) shows as normal.
FontChoice FontChoiceFromLogFont(const LOGFONTW& font, int pointSizeTenths);

// Writes the dialog's choice into `font` and `pointSizeTenths`, the height
// being the size at `pixelsPerInch` as the system's font dialog gives it.
// The family is cut to the face name's 31 characters without splitting a
// surrogate pair; weight and size are brought into range.
void ApplyFontChoice(const FontChoice& choice, int pixelsPerInch,
                     LOGFONTW& font, int& pointSizeTenths);

// Tenths of a point from a toolkit's point size, rounded, at least 1.
int PointSizeTenths(double points);

// Building font requests and reading descriptions in the text tests.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "platform/win32_types.h"

// Installed wherever the tests run (natively and under wine), with Latin,
// Roman numeral, fullwidth, circled and kanji characters alike.
inline constexpr std::u16string_view kFullFace = u"IPAGothic";

inline LOGFONTW FontRequest(std::u16string_view face, LONG height,
                            LONG escapement = 0) {
  LOGFONTW request;
  std::memset(&request, 0, sizeof request);
  request.lfHeight = height;
  request.lfEscapement = escapement;
  request.lfOrientation = escapement;
  request.lfWeight = FW_NORMAL;
  request.lfCharSet = 1;  // DEFAULT_CHARSET
  for (std::size_t i = 0; i < face.size() && i + 1 < std::size_t(LF_FACESIZE);
       ++i)
    request.lfFaceName[i] = WCHAR(face[i]);
  return request;
}

inline std::u16string FaceNameOf(const LOGFONTW& description) {
  std::u16string name;
  for (int i = 0; i < LF_FACESIZE && description.lfFaceName[i]; ++i)
    name += char16_t(description.lfFaceName[i]);
  return name;
}

inline bool SameDescription(const LOGFONTW& a, const LOGFONTW& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The core's UTF-16 texts and Qt's strings are the same code units.
#pragma once

#include <QString>
#include <string>
#include <string_view>

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

inline std::u16string FromQString(const QString& text) {
  return text.toStdU16String();
}

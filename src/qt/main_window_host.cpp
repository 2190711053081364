// What the clock face and the globe reach through their owner: the pointer,
// the timer, the dialogs, colours, pixels per inch and the time.
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QFontDialog>
#include <algorithm>
#include <ctime>

#include "app/device_pixels.h"
#include "app/dialog_texts.h"
#include "app/font_choice.h"
#include "parts/default_colors.h"
#include "qt/main_window.h"
#include "qt/program_texts.h"
#include "qt/qt_text.h"

namespace {
constexpr int kCustomColors = 16;

QColor ToQColor(COLORREF color) {
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF ToColorRef(const QColor& color) {
  return RGB(BYTE(color.red()), BYTE(color.green()), BYTE(color.blue()));
}

QFont ToQFont(const FontChoice& choice) {
  QFont font(ToQString(choice.family));
  font.setWeight(QFont::Weight(choice.weight));
  font.setItalic(choice.italic);
  font.setPointSizeF(choice.pointSizeTenths / 10.0);
  return font;
}

FontChoice ToFontChoice(const QFont& font) {
  return {FromQString(font.family()), int(font.weight()), font.italic(),
          PointSizeTenths(font.pointSizeF())};
}

SYSTEMTIME FromTm(const tm& t, long milliseconds) {
  return SYSTEMTIME{WORD(t.tm_year + 1900), WORD(t.tm_mon + 1), WORD(t.tm_wday),
                    WORD(t.tm_mday), WORD(t.tm_hour), WORD(t.tm_min),
                    // A leap second shows as the last ordinary one.
                    WORD(t.tm_sec > 59 ? 59 : t.tm_sec), WORD(milliseconds)};
}

SYSTEMTIME Now(bool utc) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm parts{};
  if (utc)
    gmtime_r(&now.tv_sec, &parts);
  else
    localtime_r(&now.tv_sec, &parts);
  return FromTm(parts, now.tv_nsec / 1000000);
}

// A fixed local time read as the instant it names in this time zone.
SYSTEMTIME LocalToUtc(const SYSTEMTIME& local) {
  tm parts{};
  parts.tm_year = local.wYear - 1900;
  parts.tm_mon = local.wMonth - 1;
  parts.tm_mday = local.wDay;
  parts.tm_hour = local.wHour;
  parts.tm_min = local.wMinute;
  parts.tm_sec = local.wSecond;
  parts.tm_isdst = -1;
  const time_t instant = mktime(&parts);
  tm utc{};
  if (instant == time_t(-1) || !gmtime_r(&instant, &utc)) return local;
  return FromTm(utc, local.wMilliseconds);
}
}  // namespace

POINT CQtMainWindow::CursorInClient() const {
  return DevicePoint(mapFromGlobal(QCursor::pos()));
}

void CQtMainWindow::SetTimerPeriod(UINT milliseconds) {
  timer.start(int(std::min<UINT>(milliseconds, 0x7FFFFFFF)));
}

bool CQtMainWindow::PickColor(COLORREF& color, COLORREF* customColors) {
  LoseCapture();
  for (int i = 0; i < kCustomColors; ++i)
    QColorDialog::setCustomColor(i, ToQColor(customColors[i]));
  const QColor chosen = QColorDialog::getColor(ToQColor(color), this);
  if (!chosen.isValid()) return false;
  for (int i = 0; i < kCustomColors; ++i)
    customColors[i] = ToColorRef(QColorDialog::customColor(i));
  color = ToColorRef(chosen);
  return true;
}

bool CQtMainWindow::PickFont(LOGFONTW& font, int& pointSizeTenths) {
  LoseCapture();
  bool chosen = false;
  const QFont picked = QFontDialog::getFont(
      &chosen, ToQFont(FontChoiceFromLogFont(font, pointSizeTenths)), this);
  if (!chosen) return false;
  ApplyFontChoice(ToFontChoice(picked), PixelsPerInch(), font, pointSizeTenths);
  return true;
}

bool CQtMainWindow::PickTextureFile(std::u16string& path) {
  LoseCapture();
  const QString file = QFileDialog::getOpenFileName(
      this, ToQString(kTextureDialogTitle.In(ornament.Language())), QString(),
      ToQString(QtFileFilter(ornament.Language())));
  if (file.isEmpty()) return false;
  path = FromQString(file);
  return true;
}

COLORREF CQtMainWindow::SystemColor(int index) const {
  return DefaultSystemColor(index);
}

int CQtMainWindow::PixelsPerInch() const {
  return DevicePixelsPerInch(logicalDpiY(), devicePixelRatioF());
}

SYSTEMTIME CQtMainWindow::LocalTime() const {
  return fixedTime ? *fixedTime : Now(false);
}

SYSTEMTIME CQtMainWindow::UtcTime() const {
  return fixedTime ? LocalToUtc(*fixedTime) : Now(true);
}

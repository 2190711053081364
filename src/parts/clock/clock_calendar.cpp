// The month calendar panel.
#include "base/date_helpers.h"
#include "parts/clock/calendar_model.h"
#include "parts/clock/clock_frm.h"
#include "text/text.h"

namespace {
constexpr int kColorInfoBackground = 24;  // COLOR_INFOBK

COLORREF DayColor(int column) {
  if (column == 0) return RGB(255, 0, 0);  // Sunday
  if (column == 6) return RGB(0, 0, 255);  // Saturday
  return RGB(0, 0, 0);
}

std::u16string DayText(int day) {
  const std::string digits = std::to_string(day);
  return std::u16string(digits.begin(), digits.end());
}
}  // namespace

void CClockFrm::DrawCalendar() {
  if (!calendarCanvas || calendarCanvas->IsEmpty() || !owner) return;
  CCanvas& panel = *calendarCanvas;
  panel.Clear();
  const SYSTEMTIME today = owner->LocalTime();
  const std::int32_t pw = panel.Width(), ph = panel.Height();
  const std::int32_t titleHeight = ph / 7;

  LOGFONTW lf;
  font.GetLogFont(lf);
  lf.lfHeight = -((3 * titleHeight) / 4);
  lf.lfEscapement = lf.lfOrientation = 0;
  CFont textFont;
  if (!textFont.CreateFromLogFont(lf)) return;

  const COLORREF background = owner->SystemColor(kColorInfoBackground);
  {
    CCanvasPainter painter(panel);
    const RECT whole{0, 0, pw, ph};
    painter.FillRect(whole, background);
    painter.DrawRaisedEdge(whole);

    const std::u16string title = CalendarTitle(today);
    const SIZE t = painter.MeasureText(textFont, title);
    painter.DrawText(textFont, (pw - t.cx) / 2, (titleHeight - t.cy) / 2, title,
                     RGB(0, 0, 0));

    const std::int32_t cellWidth = pw / 7;
    const std::int32_t cellHeight = (ph - titleHeight) / 6;
    const int first = FirstWeekday(today);
    const int last = DaysInMonth(today.wYear, today.wMonth);
    for (int row = 0; row < 6; ++row) {
      for (int column = 0; column < 7; ++column) {
        const int day = DayInCell(first, row, column);
        if (day > last) break;
        if (day < 1) continue;
        const RECT cell{column * cellWidth, titleHeight + row * cellHeight,
                        (column + 1) * cellWidth,
                        titleHeight + (row + 1) * cellHeight};
        if (day == today.wDay) painter.Ellipse(cell, background);
        const std::u16string text = DayText(day);
        const SIZE s = painter.MeasureText(textFont, text);
        painter.DrawText(textFont, cell.left + (cellWidth - s.cx) / 2,
                         cell.top + (cellHeight - s.cy) / 2, text,
                         DayColor(column));
      }
    }
  }
  // Opaque: the panel's visibility comes from the constant alpha alone.
  const std::size_t n = std::size_t(pw) * std::size_t(ph);
  for (std::size_t i = 0; i < n; ++i) panel.Pixels()[i] |= 0xFF000000u;
}

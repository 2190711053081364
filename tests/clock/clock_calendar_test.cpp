// The hover calendar's content, read back from a composed frame cell by
// cell: which cells hold a day, in which colour, and which one is ringed.
#include <gtest/gtest.h>

#include <cstdint>

#include "parts/clock/clock_frm.h"
#include "pixels/alpha_functions.h"
#include "pixels/canvas.h"
#include "support/fake_host.h"
#include "support/memory_settings.h"

namespace {

constexpr int kSide = 448;
// The panel is 3/4 by 2/3 of the face, centred; a seventh of its height
// is the title, the rest six rows of seven cells.
constexpr int kPanelWidth = 3 * kSide / 4, kPanelHeight = 2 * kSide / 3;
constexpr int kPanelLeft = (kSide - kPanelWidth) / 2;
constexpr int kPanelTop = (kSide - kPanelHeight) / 2;
constexpr int kTitleHeight = kPanelHeight / 7;
constexpr int kCellWidth = kPanelWidth / 7;
constexpr int kCellHeight = (kPanelHeight - kTitleHeight) / 6;

// COLOR_INFOBK of the fake host, RGB(255, 255, 225), made opaque.
constexpr std::uint32_t kBackground = 0xFFFFFFE1u;

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};

Box CellBox(int row, int column) {
  const int left = kPanelLeft + column * kCellWidth;
  const int top = kPanelTop + kTitleHeight + row * kCellHeight;
  return {left, top, left + kCellWidth, top + kCellHeight};
}

enum class Ink { kNone, kBlack, kRed, kBlue, kMixed };

// The colour of the strong ink inside a box; anti-aliased rims, blends of
// ink and background, do not count.
Ink InkIn(const CCanvas& frame, const Box& box) {
  bool black = false, red = false, blue = false;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) {
      const std::uint32_t p = frame.GetPixel(x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      black = black || (r < 64 && g < 64 && b < 64);
      red = red || (r > 192 && g < 64 && b < 64);
      blue = blue || (b > 192 && r < 64 && g < 64);
    }
  if (black + red + blue > 1) return Ink::kMixed;
  return black ? Ink::kBlack : red ? Ink::kRed : blue ? Ink::kBlue : Ink::kNone;
}

bool Blank(const CCanvas& frame, const Box& box) {
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (frame.GetPixel(x, y) != kBackground) return false;
  return true;
}

// Whether the ring of the ellipse inscribed in the cell is there: black at
// the middle of the cell's left column and of its top row.
bool Ringed(const CCanvas& frame, const Box& cell) {
  const int midX = (cell.left + cell.right) / 2;
  const int midY = (cell.top + cell.bottom) / 2;
  return frame.GetPixel(cell.left, midY) == 0xFF000000u &&
         frame.GetPixel(midX, cell.top) == 0xFF000000u;
}

class CalendarPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    BindAlphaFunctions();
    frame.Resize(kSide, kSide);
  }
  void TearDown() override { ReleaseAlphaFunctions(); }

  // The face with the calendar fully shown on `today`.
  void Compose(WORD year, WORD month, WORD weekday, WORD day) {
    host.now = SYSTEMTIME{year, month, weekday, day, 12, 0, 0, 0};
    CClockFrm clock;
    clock.Create(host);
    clock.LoadSettings(settings);
    clock.SetHover({20, 0});
    clock.Layout(RECT{0, 0, kSide, kSide});
    frame.Clear();
    clock.Draw(frame);
    clock.Destroy();
  }

  // Checks every cell of a month whose first day falls on `firstWeekday`
  // (0 = Sunday) and which has `days` days, with `today` ringed.
  void ExpectMonth(int firstWeekday, int days, int today) {
    for (int row = 0; row < 6; ++row)
      for (int column = 0; column < 7; ++column) {
        const int day = row * 7 + column - firstWeekday + 1;
        const Box cell = CellBox(row, column);
        SCOPED_TRACE(testing::Message() << "row " << row << " column " << column
                                        << " day " << day);
        if (day < 1 || day > days) {
          const Box rim{cell.left + 2, cell.top + 2, cell.right - 2,
                        cell.bottom - 2};  // clear of the panel's edge lines
          EXPECT_TRUE(Blank(frame, rim));
          continue;
        }
        // The text's middle, inside where today's ring runs.
        const int midX = (cell.left + cell.right) / 2;
        const int midY = (cell.top + cell.bottom) / 2;
        const Box inner{midX - kCellWidth / 4, midY - kCellHeight / 4,
                        midX + kCellWidth / 4, midY + kCellHeight / 4};
        const Ink want = column == 0   ? Ink::kRed
                         : column == 6 ? Ink::kBlue
                                       : Ink::kBlack;
        EXPECT_EQ(InkIn(frame, inner), want);
        EXPECT_EQ(Ringed(frame, cell), day == today);
      }
  }

  FakeHost host;
  MemorySettings settings;
  CCanvas frame;
};

}  // namespace

// 1 January 2000 was a Saturday; January's 31 days are four weeks and
// three days, so 1 February was a Tuesday. 2000 is divisible by 400: a leap
// year, 29 days. The 15th is two weeks on, a Tuesday too.
TEST_F(CalendarPanel, February2000StartsOnTuesdayAndHas29Days) {
  Compose(2000, 2, 2, 15);
  ExpectMonth(2, 29, 15);
}

// 1 February 2004 was a Sunday (four years and a leap day after 2000:
// 1461 days, 208 weeks and five days past Tuesday). 2004 is a leap year;
// the 29th, four weeks after the 1st, is a Sunday and the last cell used,
// in the fifth row's first column.
TEST_F(CalendarPanel, February2004StartsOnSundayAndEndsOnTodayThe29th) {
  Compose(2004, 2, 0, 29);
  ExpectMonth(0, 29, 29);
}

// 7 December 2026 is a Monday: the 1st is the Tuesday before it. December
// has 31 days, so the month reaches the fifth row's Thursday.
TEST_F(CalendarPanel, ADecemberOf31DaysWithTheTitleAboveTheGrid) {
  Compose(2026, 12, 1, 7);
  ExpectMonth(2, 31, 7);
  // The title "2026/12/7" in black, centred in its band.
  const Box title{kPanelLeft + 2, kPanelTop + 2, kPanelLeft + kPanelWidth - 2,
                  kPanelTop + kTitleHeight};
  EXPECT_EQ(InkIn(frame, title), Ink::kBlack);
  int first = -1, last = -1;
  for (int x = title.left; x < title.right; ++x)
    for (int y = title.top; y < title.bottom; ++y)
      if (frame.GetPixel(x, y) != kBackground) {
        if (first < 0) first = x;
        last = x;
      }
  EXPECT_NEAR(first + last, 2 * kPanelLeft + kPanelWidth, 4);
}

#include "parts/clock/clock_frm.h"

#include <gtest/gtest.h>

#include "parts/command_ids.h"
#include "pixels/alpha_functions.h"
#include "support/canvas_probe.h"
#include "support/fake_host.h"
#include "support/fake_menu.h"
#include "support/memory_settings.h"

namespace {
class ClockFace : public ::testing::Test {
 protected:
  void SetUp() override {
    BindAlphaFunctions();
    clock.Create(host);
  }
  void TearDown() override {
    clock.Destroy();
    ReleaseAlphaFunctions();
  }
  void LoadAndLayout(int side = 144) {
    clock.LoadSettings(settings);
    clock.Layout(RECT{0, 0, side, side});
  }
  SYSTEMTIME Tenth(int tenths) const {
    SYSTEMTIME t = host.now;
    t.wHour = 0;
    t.wMinute = WORD(tenths / 600);
    t.wSecond = WORD(tenths / 10 % 60);
    t.wMilliseconds = WORD(tenths % 10 * 100);
    return t;
  }
  LOGFONTW LogFont(const CClockFrm& face) const {
    LOGFONTW lf;
    face.Font().GetLogFont(lf);
    return lf;
  }

  FakeHost host;
  MemorySettings settings;
  CClockFrm clock;
};
}  // namespace

TEST_F(ClockFace, DefaultsWithoutAnySettings) {
  LoadAndLayout();
  EXPECT_EQ(clock.HourHandLook().crFace, RGB(0, 0, 255));
  EXPECT_EQ(clock.MinuteHandLook().crFace, RGB(0, 255, 0));
  EXPECT_EQ(clock.SecondHandLook().crFace, RGB(255, 0, 0));
  EXPECT_EQ(clock.DialLook().crFace, host.SystemColor(15)) << "button face";
  EXPECT_EQ(clock.CharacterSet(), 1);
  EXPECT_EQ(clock.CharacterSize(), 100);
  EXPECT_TRUE(clock.MovesSmoothly());
  EXPECT_TRUE(clock.ShowsSecondHand());
  EXPECT_FALSE(clock.RotatesCharacters());
  EXPECT_EQ(clock.DialLook().alpha, 128);
  EXPECT_EQ(clock.HourHandLook().alpha, 128);
  EXPECT_EQ(LogFont(clock).lfHeight, -24) << "144 x 144 at size 100";
}

TEST_F(ClockFace, SettingsReadBackAsTheyAreWrittenInTheirOrder) {
  settings.Set(u"Option", u"MojiAlpha", u"300");
  settings.Set(u"Option", u"HandsAlpha", u"-1");
  settings.Set(u"Font", u"Bold", u"true");
  settings.Set(u"Font", u"TickChar", u"17");
  settings.Set(u"Color", u"HourHand", u"65280");
  LoadAndLayout();
  EXPECT_EQ(clock.DialLook().alpha, 44) << "300 keeps its low eight bits";
  EXPECT_EQ(clock.HourHandLook().alpha, 255);
  EXPECT_EQ(clock.SecondHandLook().alpha, clock.HourHandLook().alpha);
  EXPECT_EQ(clock.CharacterSet(), 1) << "17 wraps into the sixteen sets";
  EXPECT_EQ(clock.HourHandLook().crFace, RGB(0, 255, 0));

  settings.BeginSave();
  clock.SaveSettings(settings);
  const std::vector<std::u16string> order = {
      u"Font.Name",        u"Font.Bold",        u"Font.Italic",
      u"Font.Size",        u"Font.TickChar",    u"Font.Rotation",
      u"Color.HourHand",   u"Color.SecHand",    u"Color.MinHand",
      u"Color.Mojiban",    u"Option.Smooth",    u"Option.SecHands",
      u"Option.MojiAlpha", u"Option.HandsAlpha"};
  EXPECT_EQ(settings.writes, order);
  EXPECT_EQ(settings.Get(u"Option", u"MojiAlpha"), u"44");
  EXPECT_EQ(settings.Get(u"Font", u"Bold"), u"True");
  EXPECT_EQ(settings.Get(u"Font", u"TickChar"), u"1");
  EXPECT_EQ(settings.Get(u"Color", u"HourHand"), u"65280");
}

// The dialog's point size is kept within the file's limits, as on reload,
// and a bold it chose is saved and read back as 700.
TEST_F(ClockFace, TheFontDialogsChoiceIsLimitedSavedAndReadBack) {
  LoadAndLayout();
  const struct {
    FakeHost::FontChoice choice;
    int size;
  } choices[] = {{{400, 1200}, 1000},  // 120 points: 1000 %
                 {{400, 0}, 1},
                 {{800, 120}, 120}};  // 12 points is 120 percent
  for (const auto& c : choices) {
    host.fontChoice = &c.choice;
    ASSERT_TRUE(clock.OnCommand(IDM_FONT));
    EXPECT_EQ(clock.CharacterSize(), c.size) << c.choice.pointSizeTenths;
  }
  settings.BeginSave();
  clock.SaveSettings(settings);
  EXPECT_EQ(settings.Get(u"Font", u"Bold"), u"True");
  EXPECT_EQ(settings.Get(u"Font", u"Size"), u"120");
  CClockFrm again;
  again.Create(host);
  again.LoadSettings(settings);
  EXPECT_EQ(LogFont(again).lfWeight, 700);
  again.Destroy();
}

TEST_F(ClockFace, CommandsCycleCharactersToggleTheSwitchesAndMarkTheMenu) {
  settings.Set(u"Font", u"TickChar", u"14");
  LoadAndLayout();
  for (int expected : {15, 0, 1}) {
    EXPECT_TRUE(clock.OnCommand(IDM_NEXT_CHARACTERS));
    EXPECT_EQ(clock.CharacterSet(), expected);
  }
  EXPECT_TRUE(clock.OnCommand(IDM_SMOOTH));
  EXPECT_FALSE(clock.MovesSmoothly());
  FakeMenu menu;
  clock.UpdateMenu(menu);
  EXPECT_FALSE(menu.checked[IDM_ROTATE_CHARACTERS]);
  EXPECT_TRUE(menu.checked[IDM_SECOND_HAND]);
  EXPECT_FALSE(menu.checked[IDM_SMOOTH]);
  EXPECT_TRUE(clock.OnCommand(IDM_ROTATE_CHARACTERS));
  EXPECT_TRUE(clock.RotatesCharacters());
  EXPECT_TRUE(clock.OnCommand(IDM_SECOND_HAND));
  EXPECT_FALSE(clock.ShowsSecondHand());
  EXPECT_FALSE(clock.OnCommand(IDM_OPEN_TEXTURE)) << "a globe command";
  EXPECT_FALSE(clock.OnCommand(IDM_CLICK_THROUGH));
}

TEST_F(ClockFace, AChosenColorAppliesAndACancelledOneDoesNot) {
  LoadAndLayout();
  EXPECT_TRUE(clock.OnCommand(IDM_HOUR_HAND_COLOR));  // cancelled
  EXPECT_EQ(clock.HourHandLook().crFace, RGB(0, 0, 255));
  const COLORREF orange = RGB(255, 128, 0);
  host.colorChoice = &orange;
  EXPECT_TRUE(clock.OnCommand(IDM_DIAL_COLOR));
  EXPECT_EQ(clock.DialLook().crFace, orange);
  EXPECT_EQ(clock.DialLook().crHighlight, RGB(255, 255, 127));
  EXPECT_EQ(host.colorDialogs, 2);
}

TEST_F(ClockFace, WheelStepsOneAtATimeBetweenSixteenAnd255) {
  settings.Set(u"Option", u"HandsAlpha", u"20");
  settings.Set(u"Option", u"MojiAlpha", u"255");
  LoadAndLayout();
  for (int i = 0; i < 20; ++i)
    clock.OnWheel({.delta = -120});  // toward the user
  EXPECT_EQ(clock.HourHandLook().alpha, 16);
  EXPECT_EQ(clock.MinuteHandLook().alpha, 16);
  EXPECT_EQ(clock.SecondHandLook().alpha, 16);
  EXPECT_EQ(clock.DialLook().alpha, 255)
      << "without Shift only the hands change";
  clock.OnWheel(
      {.delta = 30, .shift = true});  // away from the user, any delta is one
  EXPECT_EQ(clock.DialLook().alpha, 255);
  clock.OnWheel({.delta = -32768, .shift = true});
  EXPECT_EQ(clock.DialLook().alpha, 254);
  EXPECT_EQ(clock.HourHandLook().alpha, 16);
  // The dial layer is refilled at once with the new alpha.
  const POINT ink = InkedDialPoint(clock.DialLayer());
  EXPECT_EQ(clock.DialLayer().GetPixel(ink.x, ink.y) >> 24, (255u * 254) >> 8);
}

TEST_F(ClockFace, HoverCountsOnlyOverDrawnDialCharacters) {
  LoadAndLayout();
  // A pixel of a dial character, and one in the empty middle.
  const POINT onDial = InkedDialPoint(clock.DialLayer());
  ASSERT_GE(onDial.x, 0);
  host.cursor = onDial;
  for (int tenth = 1; tenth <= 10; ++tenth) clock.Tick(Tenth(tenth));
  EXPECT_EQ(clock.Hover().count, 10);
  clock.Tick(Tenth(10));
  EXPECT_EQ(clock.Hover().count, 10) << "once per tenth";
  host.cursor = {72, 72};
  clock.Tick(Tenth(11));
  EXPECT_EQ(clock.Hover().count, 9);
}

// At the largest character size the characters cover the whole layer, its
// last column and row included; yet those never count, while the ink one
// pixel inside does.
TEST_F(ClockFace, TheLayersLastColumnAndRowNeverCountEvenOverInk) {
  settings.Set(u"Font", u"Size", u"1000");
  LoadAndLayout();
  const auto inked = [&](POINT p) {
    return (clock.DialLayer().GetPixel(p.x, p.y) >> 24) != 0;
  };
  const POINT lastColumn{143, 70}, lastRow{70, 143}, inside{142, 142};
  ASSERT_TRUE(inked(lastColumn) && inked(lastRow) && inked(inside));
  int tenth = 1;
  const auto restOn = [&](POINT p) {
    host.cursor = p;
    clock.Tick(Tenth(tenth++));
    return clock.Hover().count;
  };
  EXPECT_EQ(restOn(inside), 1);
  EXPECT_EQ(restOn(inside), 2);
  EXPECT_EQ(restOn(lastColumn), 1);
  EXPECT_EQ(restOn(inside), 2);
  EXPECT_EQ(restOn(lastRow), 1);
}

TEST_F(ClockFace, TurnedCharactersEndWithTheTwelveOClockEscapement) {
  settings.Set(u"Font", u"Rotation", u"True");
  LoadAndLayout(200);
  const LOGFONTW lf = LogFont(clock);
  EXPECT_EQ(lf.lfEscapement, 0);
  EXPECT_EQ(lf.lfHeight, -32);
  EXPECT_FALSE(clock.DialLook().hrgnFace.IsEmpty());
}

TEST_F(ClockFace, EveryCharacterSetLaysOutADial) {
  settings.Set(u"Font", u"Name", u"IPAGothic");
  for (int set = 0; set < 16; ++set) {
    settings.Set(u"Font", u"TickChar",
                 std::u16string(1, char16_t(u'0' + set % 10)));
    clock.LoadSettings(settings);
    while (clock.CharacterSet() != set) clock.OnCommand(IDM_NEXT_CHARACTERS);
    clock.Layout(RECT{0, 0, 160, 160});
    EXPECT_GT(CountDrawn(clock.DialLayer()), 100) << "set " << set;
  }
}

#include "parts/earth/earth_frm.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "globe/globe_motion.h"
#include "globe_fixture.h"
#include "parts/command_ids.h"
#include "parts/earth/tilt_guide.h"
#include "pixels/canvas.h"
#include "support/fake_menu.h"

namespace {
SYSTEMTIME At(int h, int m, int s, int ms = 0) {
  return {0, 0, 0, 0, WORD(h), WORD(m), WORD(s), WORD(ms)};
}

// What `draw` leaves on a cleared canvas of side x side.
std::vector<std::uint32_t> Drawn(int side,
                                 const std::function<void(CCanvas&)>& draw) {
  CCanvas canvas;
  canvas.Resize(side, side);
  canvas.Clear();
  draw(canvas);
  return {canvas.Pixels(), canvas.Pixels() + side * side};
}

class Globe : public GlobeFixture<> {
 protected:
  std::vector<std::uint32_t> Frame(int side) {
    return Drawn(side, [&](CCanvas& canvas) { globe.Draw(canvas); });
  }
  UINT CheckedTilt() {
    FakeMenu menu;
    globe.UpdateMenu(menu);
    for (UINT id = IDM_TILT_FIRST; id <= IDM_TILT_LAST; ++id)
      if (menu.checked[id]) return id;
    return 0;
  }
};
}  // namespace

TEST(GlobeMotion, TurnFollowsTheTimeOfDay) {
  EXPECT_EQ(RotationAt(MillisecondsOfDay(At(12, 0, 0)), -60, 100, 0), 0);
  EXPECT_EQ(RotationAt(MillisecondsOfDay(At(12, 0, 15)), -60, 100, 0), 27000);
  EXPECT_EQ(SpinDragRotation(500, 0, 10), 35500) << "ten pixels to the right";
  // Speeds far beyond the 32-bit range stay defined and in range.
  const std::int32_t wild = RotationAt(86399999, 1e300, 1, 0);
  EXPECT_GE(wild, 0);
  EXPECT_LT(wild, 36000);
  EXPECT_EQ(UsableUpdatePeriod(0), 1);
  EXPECT_EQ(UsableUpdatePeriod(-5), 1);
}

TEST(GlobeMotion, TiltDragIsLimited) {
  const Tilt start{30, 0};
  EXPECT_DOUBLE_EQ(TiltDrag(start, 0, 0, 0, 100, 200, 200).tilt, 90)
      << "30 + 90, limited";
  EXPECT_DOUBLE_EQ(TiltDrag(start, 0, 0, 200, 0, 200, 200).turn, 180);
  EXPECT_DOUBLE_EQ(TiltDrag(start, 5, 5, 5, 5, 200, 200).tilt, 30);
  const Tilt degenerate = TiltDrag(start, 0, 0, 3, 3, 0, 0);  // no size yet
  EXPECT_EQ(degenerate.tilt, 90);
}

TEST_F(Globe, SettingsDefaultsAndParsingRules) {
  Load();
  EXPECT_FALSE(globe.Settings().colorKey.enable);
  EXPECT_EQ(globe.Settings().colorKey.color, 0xFF0000u);
  EXPECT_EQ(globe.Settings().speed, -60);
  EXPECT_EQ(globe.Settings().tiltAngle, 30);
  EXPECT_FALSE(globe.Settings().useFile) << "no file name";

  settings.Set(u"Revolution", u"Speed", u"-36060");
  settings.Set(u"Revolution", u"Offset", u"-40000");
  settings.Set(u"AlphaColor", u"Min", u"300");
  settings.Set(u"Option", u"Angle", u"100");
  settings.Set(u"Option", u"Angle2", u"-999");
  settings.Set(u"Option", u"FileName", std::u16string(300, u'x'));
  settings.Set(u"Option", u"UseFile", u"False");
  Load();
  EXPECT_EQ(globe.Settings().speed, 60) << "36060 reduced by a whole turn";
  EXPECT_EQ(globe.Settings().offset, -4000);
  EXPECT_EQ(globe.Settings().colorKey.min, 44);
  EXPECT_EQ(globe.Settings().tiltAngle, 90);
  EXPECT_EQ(globe.Settings().turnAngle, -180);
  EXPECT_EQ(globe.Settings().fileName.size(), 259u);

  settings.Set(u"Revolution", u"Speed", u"72000");
  Load();
  EXPECT_EQ(globe.Settings().speed, 0) << "whole turns only: stopped";
  settings.BeginSave();
  globe.SaveSettings(settings);
  EXPECT_EQ(settings.Get(u"Revolution", u"Speed"), u"0");
  EXPECT_EQ(settings.Get(u"Option", u"Angle"), u"90");
  EXPECT_EQ(settings.writes.front(), u"AlphaColor.Enable");
  // The original keys in their order, then the photo and the Sun.
  ASSERT_GE(settings.writes.size(), 5u);
  EXPECT_EQ(settings.writes[settings.writes.size() - 5], u"Option.Angle2");
  EXPECT_EQ(settings.writes.back(), u"Sun.Night");
}

TEST_F(Globe, TiltMarkFollowsTheAngleRanges) {
  Load();
  const struct {
    double angle;
    UINT item;
  } cases[] = {{90, 121}, {83.5, 121}, {83, 122},  {8.5, 126}, {8, 127},
               {-7, 128}, {-82, 133},  {-90, 133}, {30, 125}};
  for (const auto& c : cases) {
    globe.SetTilt(c.angle);
    EXPECT_EQ(CheckedTilt(), c.item) << c.angle;
  }
}

TEST_F(Globe, SpeedMarksAndTheCustomItemAppendedOnce) {
  settings.Set(u"Revolution", u"Update_mSec", u"50");
  settings.Set(u"Revolution", u"Speed", u"30");
  Load();
  FakeMenu speeds;
  speeds.items = {134, 135, 136, 137, 138, 139};
  FakeMenu menu;
  menu.subMenus = {&speeds};  // found by its items, wherever it is
  globe.UpdateMenu(menu);
  EXPECT_TRUE(menu.checked[136]) << "30 / 50 = 0.6: one turn a minute";
  EXPECT_EQ(speeds.items.size(), 6u);

  settings.Set(u"Revolution", u"Speed", u"31");
  Load();
  for (int i = 0; i < 3; ++i) globe.UpdateMenu(menu);
  EXPECT_EQ(speeds.items.size(), 7u) << "custom appended once";
  EXPECT_EQ(speeds.items.back(), UINT(IDM_SPEED_CUSTOM));

  EXPECT_TRUE(globe.OnCommand(IDM_SPEED_FIRST + 4));  // one turn an hour
  globe.UpdateMenu(menu);
  EXPECT_TRUE(menu.checked[138]);
  EXPECT_EQ(speeds.items.size(), 6u) << "custom removed";
  EXPECT_FALSE(menu.enabled[IDM_USE_TEXTURE]) << "no file to use";
}

TEST_F(Globe, ChangingSpeedKeepsTheGlobeWhereItIs) {
  Load();
  host.now = At(12, 0, 15);
  globe.Tick(host.now);
  const std::int32_t before = globe.Rotation();
  EXPECT_TRUE(globe.OnCommand(IDM_SPEED_FIRST + 1));  // two turns a minute
  EXPECT_EQ(globe.Settings().speed, -120);
  globe.Tick(host.now);
  EXPECT_EQ(globe.Rotation(), before);
  EXPECT_TRUE(globe.OnCommand(IDM_SPEED_FIRST));  // stop
  host.now = At(18, 30, 0);
  globe.Tick(host.now);
  EXPECT_EQ(globe.Rotation(), before) << "a stopped globe stays";
  EXPECT_EQ(globe.Settings().offset, before);
}

TEST_F(Globe, SpinDragCarriesTheSurfaceAndLosingTheCaptureEndsIt) {
  settings.Set(u"Revolution", u"Offset", u"500");
  Load();
  globe.Layout(RECT{0, 0, 128, 128});
  host.now = At(12, 0, 0);
  globe.Tick(host.now);
  ASSERT_EQ(globe.Rotation(), 500);
  globe.OnLeftPress({.x = 50, .y = 50, .left = true});
  EXPECT_TRUE(host.captured);
  EXPECT_EQ(host.timerPeriod, 20u);
  globe.OnPointerMove({.x = 60, .y = 50, .left = true});
  EXPECT_EQ(globe.Rotation(), 35500);
  globe.Tick(host.now);
  EXPECT_EQ(globe.Rotation(), 35500) << "the clock does not turn a held globe";
  host.captured = false;
  globe.OnCaptureLost();
  EXPECT_FALSE(globe.Dragging());
  globe.Tick(host.now);
  EXPECT_EQ(globe.Rotation(), 35500)
      << "the spin goes on from where it was let go";
}

TEST_F(Globe, CtrlDragTiltsTheAxisAndRebuildsTheTableOnRelease) {
  Load();
  globe.Layout(RECT{0, 0, 100, 100});
  globe.WaitForTable();
  globe.OnLeftPress({.x = 10, .y = 10, .left = true, .control = true});
  EXPECT_TRUE(globe.ShowsTiltGuide());
  globe.OnPointerMove({.x = 10,
                       .y = 60,
                       .left = true,
                       .control = true});  // half the height down
  EXPECT_EQ(globe.Settings().tiltAngle, 90);
  globe.OnLeftRelease({.x = 10, .y = 60});
  EXPECT_FALSE(globe.ShowsTiltGuide());
  EXPECT_FALSE(host.captured);
  EXPECT_EQ(globe.Table().Inputs().tiltDegrees, 90)
      << "rebuilt for the new axis";
  globe.WaitForTable();
  EXPECT_EQ(globe.Table().Filled(), 100u * 100u);
}

TEST_F(Globe, ABrokenTextureFileLeavesTheBuiltInMap) {
  settings.Set(u"Option", u"FileName", u"/nonexistent/earth.bmp");
  settings.Set(u"Option", u"UseFile", u"True");
  Load();
  EXPECT_FALSE(globe.Settings().useFile)
      << "switched off when the file cannot be read";
  ASSERT_TRUE(globe.Texture() && !globe.Texture()->IsEmpty());
  EXPECT_EQ(globe.Texture()->Width(), 360);
  EXPECT_EQ(globe.TextureShift(), 4);
  FakeMenu menu;
  globe.UpdateMenu(menu);
  EXPECT_TRUE(menu.enabled[IDM_USE_TEXTURE]);
  EXPECT_FALSE(menu.checked[IDM_USE_TEXTURE]);
}

TEST_F(Globe, ADialogThatReturnsAfterTheWindowWentAwayChangesNothing) {
  Load();
  const COLORREF red = RGB(255, 0, 0);
  host.colorChoice = &red;
  host.texturePath = u"/nonexistent/earth.png";
  host.duringDialog = [&] { globe.Destroy(); };
  EXPECT_TRUE(globe.OnCommand(IDM_KEY_COLOR));
  EXPECT_NE(globe.Settings().colorKey.color, red);
  EXPECT_TRUE(globe.OnCommand(IDM_OPEN_TEXTURE));
  EXPECT_TRUE(globe.Settings().fileName.empty());
}

TEST_F(Globe, TheColorKeyMakesTheBuiltInMapsSeasSeeThrough) {
  Load();  // the key is off by default
  globe.Layout(RECT{0, 0, 64, 64});
  globe.WaitForTable();
  const std::vector<std::uint32_t> off = Frame(64);
  globe.OnCommand(IDM_KEY_TRANSPARENCY);
  globe.WaitForTable();
  const std::vector<std::uint32_t> on = Frame(64);
  int disc = 0, fainter = 0;
  for (std::size_t i = 0; i < off.size(); ++i) {
    if (!(off[i] >> 24)) continue;
    ++disc;
    EXPECT_LE(on[i] >> 24, off[i] >> 24);
    fainter += (on[i] >> 24) < (off[i] >> 24);
  }
  // About two thirds of the surface is sea.
  EXPECT_GT(fainter, disc / 2);
  EXPECT_LT(fainter, disc);
}

TEST_F(Globe, TheTiltGuideAfterAResizeIsTheOneDrawnAtThatSize) {
  Load();
  globe.Layout(RECT{0, 0, 64, 64});
  globe.ShowTiltGuide(true);
  globe.Layout(RECT{0, 0, 128, 128});
  CTiltGuide guide;
  guide.Create();
  guide.Layout(128, 128);
  const std::vector<std::uint32_t> expected = Drawn(128, [&](CCanvas& canvas) {
    guide.Draw(canvas, 30, 0, 0, 96);  // the default axis, not spun
  });
  guide.Destroy();
  EXPECT_EQ(Frame(128), expected);
}

// Frames are composed only when something on the screen moved: the tick
// sequence every front-end runs, driven over minutes of simulated time with
// the real clock face and globe.
#include <gtest/gtest.h>

#include <vector>

#include "parts/clock/clock_frm.h"
#include "parts/earth/earth_frm.h"
#include "parts/frame_sequence.h"
#include "pixels/alpha_functions.h"
#include "pixels/canvas.h"
#include "support/canvas_probe.h"
#include "support/fake_host.h"
#include "support/memory_settings.h"

namespace {
class PresentedFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    BindAlphaFunctions();
    settings.Set(u"Font", u"Name", u"IPAGothic");
    host.now = SYSTEMTIME{2026, 12, 1, 7, 10, 20, 30, 0};
  }
  void TearDown() override {
    for (IFramePart* part : parts) part->Destroy();
    ReleaseAlphaFunctions();
  }

  // Creates and lays out the parts as the window does at start, with the
  // table complete and one frame shown.
  void Start() {
    for (IFramePart* part : parts) part->Create(host);
    for (IFramePart* part : parts) part->LoadSettings(settings);
    LayoutParts(canvas, RECT{0, 0, 128, 128}, parts);
    globe.WaitForTable();
    TickParts(host.now, parts);
    ComposeFrame(canvas, parts);
  }

  // Hands that move only once a minute.
  void StillHands() {
    settings.Set(u"Option", u"SecHands", u"False");
    settings.Set(u"Option", u"Smooth", u"False");
  }

  // Runs `ticks` timer ticks 100 ms apart; returns how many frames were
  // presented. A tick that presents nothing must have been right to: the
  // frame it would have composed is the one already shown.
  int Run(int ticks) {
    int presented = 0;
    for (int i = 0; i < ticks; ++i) {
      Advance(100);
      const std::vector<std::uint32_t> shown(canvas.Pixels(),
                                             canvas.Pixels() + 128 * 128);
      const bool changed = TickParts(host.now, parts);
      ComposeFrame(canvas, parts);
      const bool same = std::equal(shown.begin(), shown.end(), canvas.Pixels());
      if (!changed) {
        EXPECT_TRUE(same) << "a skipped tick would have shown a new frame, "
                          << "tick " << i;
        if (!same) return -1;
      }
      presented += changed;
    }
    return presented;
  }

  void Advance(int ms) {
    int total = host.now.wMilliseconds + ms;
    host.now.wMilliseconds = WORD(total % 1000);
    total = host.now.wSecond + total / 1000;
    host.now.wSecond = WORD(total % 60);
    total = host.now.wMinute + total / 60;
    host.now.wMinute = WORD(total % 60);
    host.now.wHour = WORD((host.now.wHour + total / 60) % 24);
  }

  FakeHost host;
  MemorySettings settings;
  CClockFrm clock;
  CEarthFrm globe;
  const std::vector<IFramePart*> parts{&clock, &globe};
  CCanvas canvas;
};
}  // namespace

TEST_F(PresentedFrames, OneFrameAMinuteWithNothingMovingFaster) {
  StillHands();
  settings.Set(u"Revolution", u"Speed", u"0");
  Start();
  // From 10:20:30 for two minutes: the minute hand moves at 10:21 and 10:22.
  EXPECT_EQ(Run(1200), 2);
}

TEST_F(PresentedFrames, TheSecondHandMovesOnceASecond) {
  settings.Set(u"Option", u"Smooth", u"False");
  settings.Set(u"Revolution", u"Speed", u"0");
  Start();
  EXPECT_EQ(Run(100), 10);
}

TEST_F(PresentedFrames, ASpinningGlobeOrSmoothHandsMoveEveryTick) {
  Start();  // the defaults: smooth hands, one turn of the globe a minute
  EXPECT_EQ(Run(50), 50);
}

TEST_F(PresentedFrames, TheSpinningGlobeAloneMovesEveryTick) {
  StillHands();
  Start();
  EXPECT_EQ(Run(50), 50);
}

// With nothing turning by itself, each step of a drag is a frame: pressing
// with Ctrl shows the tilt guide (with the axis upright and unswung, so only
// the guide itself is new), moving tilts or swings the axis, and a plain
// drag spins the globe.
TEST_F(PresentedFrames, EveryStepOfADragPresentsAFrame) {
  settings.Set(u"Option", u"Angle", u"0");
  StillHands();
  settings.Set(u"Revolution", u"Speed", u"0");
  Start();
  const auto step = [&](const char* what) {
    EXPECT_TRUE(TickParts(host.now, parts)) << what;
    ComposeFrame(canvas, parts);
    EXPECT_FALSE(TickParts(host.now, parts)) << "then rest, after " << what;
  };
  globe.OnLeftPress({.x = 60, .y = 60, .left = true, .control = true});
  step("the press");
  globe.OnPointerMove({.x = 60, .y = 80, .left = true, .control = true});
  step("a move down");
  globe.OnPointerMove({.x = 90, .y = 80, .left = true, .control = true});
  step("a move across");
  globe.OnLeftRelease({.x = 90, .y = 80});
  globe.WaitForTable();
  step("the release");
  globe.OnLeftPress({.x = 60, .y = 60, .left = true});
  globe.OnPointerMove({.x = 70, .y = 60, .left = true});
  step("a spin");
  globe.OnLeftRelease({.x = 70, .y = 60});
}

TEST_F(PresentedFrames, TheCalendarFadesInThenTheFrameRests) {
  StillHands();
  settings.Set(u"Revolution", u"Speed", u"0");
  settings.Set(u"Font", u"TickChar", u"3");  // fullwidth digits: solid ink
  Start();
  // The pointer rests on a character: the counter climbs once a tenth up to
  // its top of 40, fading the calendar in from the tenth tick on.
  host.cursor = InkedDialPoint(clock.DialLayer());
  ASSERT_GE(host.cursor.x, 0) << "no character on the dial layer";
  const int whileFading = Run(40);
  EXPECT_GE(whileFading, 30) << "the calendar's alpha changes every tenth";
  EXPECT_EQ(clock.Hover().count, 40);
  EXPECT_EQ(Run(20), 0) << "fully shown and resting";
}

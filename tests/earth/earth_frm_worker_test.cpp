// The globe and its table's workers: frames drawn while a table is cast,
// layouts and tilts that restart a build, a globe destroyed mid-build (run
// under ThreadSanitizer too), and the timer the builds ask for.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "globe_fixture.h"
#include "parts/command_ids.h"
#include "pixels/canvas.h"

namespace {
class GlobeWorkers : public GlobeFixture<> {
 protected:
  void SetUp() override {
    GlobeFixture::SetUp();
    Load();
  }
  void LayOut(int side) {
    canvas.Resize(side, side);
    globe.Layout(RECT{0, 0, side, side});
  }
  std::vector<std::uint32_t> Frame() {
    canvas.Clear();
    globe.Draw(canvas);
    return {canvas.Pixels(),
            canvas.Pixels() + canvas.Width() * canvas.Height()};
  }

  CCanvas canvas;
};
}  // namespace

TEST_F(GlobeWorkers, FramesDrawnWhileTheTableGrowsShowOnlyFinishedRows) {
  LayOut(400);
  // Every frame drawn meanwhile agrees with the finished frame on the rows
  // it has, and leaves the rest clear.
  int frames = 0;
  std::vector<std::vector<std::uint32_t>> growing;
  std::vector<std::size_t> filled;
  while (globe.Table().Running() && frames < 200) {
    filled.push_back(globe.Table().Filled());
    growing.push_back(Frame());
    ++frames;
  }
  globe.WaitForTable();
  const std::vector<std::uint32_t> whole = Frame();
  ASSERT_EQ(globe.Table().Filled(), 400u * 400u);
  // A frame shows at least what was filled before it was drawn, and
  // whatever else it shows is final too.
  for (std::size_t f = 0; f < growing.size(); ++f)
    for (std::size_t i = 0; i < whole.size(); ++i)
      if (i < filled[f] || growing[f][i] != 0) {
        ASSERT_EQ(growing[f][i], whole[i]) << "frame " << f << " pixel " << i;
      }
}

TEST_F(GlobeWorkers, ALayoutOrATiltMidBuildStartsAfreshForTheNewTable) {
  LayOut(300);
  LayOut(200);  // a resize while the first build runs
  globe.WaitForTable();
  EXPECT_EQ(globe.Table().Inputs().width, 200);
  EXPECT_EQ(globe.Table().Filled(), 200u * 200u);
  LayOut(256);
  globe.SetTilt(60);  // a tilt while the build for 256 runs
  globe.WaitForTable();
  EXPECT_EQ(globe.Table().Inputs().tiltDegrees, 60);
  EXPECT_EQ(globe.Table().Filled(), 256u * 256u);
  // The frame is the one of a table cast for tilt 60 from the start.
  CEarthFrm fresh;
  FakeHost otherHost;
  settings.Set(u"Option", u"Angle", u"60");
  fresh.Create(otherHost);
  fresh.LoadSettings(settings);
  fresh.Layout(RECT{0, 0, 256, 256});
  fresh.WaitForTable();
  CCanvas other;
  other.Resize(256, 256);
  fresh.Draw(other);
  fresh.Destroy();
  const std::vector<std::uint32_t> mine = Frame();
  EXPECT_TRUE(std::equal(mine.begin(), mine.end(), other.Pixels()));
}

TEST_F(GlobeWorkers, DestroyingTheGlobeMidBuildStopsItsWorkers) {
  LayOut(1024);
  globe.Destroy();
  EXPECT_FALSE(globe.Table().Running());
  globe.Create(host);  // TearDown destroys it again
}

TEST_F(GlobeWorkers, TheBusyTimerLastsWhileATiltOrANewSizeIsCast) {
  LayOut(1024);
  globe.WaitForTable();
  globe.Tick(host.now);
  ASSERT_EQ(host.timerPeriod, 100u) << "resting once the table is done";
  globe.OnLeftPress({.x = 10, .y = 10, .left = true, .control = true});
  globe.OnPointerMove({.x = 10, .y = 300, .left = true, .control = true});
  globe.OnLeftRelease({.x = 10, .y = 300});
  ASSERT_TRUE(globe.Table().Running()) << "a 1024 x 1024 table takes a while";
  globe.Tick(host.now);
  EXPECT_EQ(host.timerPeriod, 20u) << "the globe regrows at the busy period";
  globe.WaitForTable();
  globe.Tick(host.now);
  EXPECT_EQ(host.timerPeriod, 100u);
  LayOut(1024);  // laid out again at the same size: nothing to cast
  EXPECT_EQ(host.timerPeriod, 100u);
  EXPECT_EQ(globe.Table().Filled(), 1024u * 1024u);
  LayOut(1000);
  EXPECT_EQ(host.timerPeriod, 20u);
  globe.WaitForTable();
  globe.Tick(host.now);
  EXPECT_EQ(host.timerPeriod, 100u);
}

// The texture changes under a running build (ThreadSanitizer watches the
// workers' reads of the old one).
TEST_F(GlobeWorkers, ATextureChangeMidBuildCastsForTheNewTexture) {
  LayOut(1024);
  globe.OnCommand(IDM_PHOTO);
  globe.WaitForTable();
  EXPECT_EQ(globe.Table().Inputs().textureWidth, globe.Texture()->Width());
  EXPECT_EQ(globe.Table().Filled(), 1024u * 1024u);
}

TEST_F(GlobeWorkers, ATableThatCouldNotBeHadIsTriedAgainAtTheLayoutsSize) {
  globe.LimitTableEntries(100 * 100);
  LayOut(128);
  EXPECT_EQ(globe.Table().Size(), 0u) << "too large for the memory there is";
  EXPECT_EQ(Frame(), std::vector<std::uint32_t>(128 * 128, 0u))
      << "no table, no globe";
  globe.LimitTableEntries(std::size_t{1} << 28);  // memory came back
  globe.SetTilt(45);                              // a later build
  globe.WaitForTable();
  EXPECT_EQ(globe.Table().Inputs().width, 128) << "not 0 x 0";
  EXPECT_EQ(globe.Table().Filled(), 128u * 128u);
}

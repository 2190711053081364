// Frames of the frame renderer, checked by their pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "parts/clock/clock_model.h"
#include "pixels/alpha_functions.h"
#include "pixels/canvas.h"
#include "snap/snap_options.h"
#include "snap/snap_render.h"

namespace fs = std::filesystem;

namespace {
class SnapFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    BindAlphaFunctions();
    ini =
        fs::temp_directory_path() /
        ("ondrava-snap-" +
         std::string(
             ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
         ".ini");
  }
  void TearDown() override {
    ReleaseAlphaFunctions();
    fs::remove(ini);
  }
  void Render(const std::string& settings, const std::vector<std::string>& args,
              CCanvas& frame) {
    std::ofstream(ini) << settings;
    std::vector<std::string> all = {"--ini", ini.string(), "--out",
                                    "unused.png"};
    all.insert(all.end(), args.begin(), args.end());
    std::string error;
    const auto options = ParseSnapOptions(all, error);
    ASSERT_TRUE(options) << error;
    ASSERT_TRUE(RenderSnapFrame(*options, frame, error)) << error;
  }
  fs::path ini;
};

std::uint32_t Alpha(std::uint32_t p) { return p >> 24; }

// A globe whose every sample has alpha 0 is not there at all.
constexpr const char* kNoGlobe = "[GradientAlpha]\nMin=0\nMax=0\n";
// Dial characters of alpha 0 leave nothing on their layer.
constexpr const char* kNoDial = "[Option]\nMojiAlpha=0\nSecHands=False\n";
}  // namespace

TEST_F(SnapFrame, DialCharactersCarryTheirAlphaOnEveryPixel) {
  CCanvas frame;
  Render(std::string(kNoGlobe) +
             "[Font]\nName=IPAGothic\nTickChar=4\n[Option]\nMojiAlpha=200\n"
             "SecHands=False\n",
         {"--size", "240", "--time", "00:00:00"}, frame);
  // Hands point up at midnight; the right half of the middle band holds only
  // the characters for 2, 3 and 4 o'clock.
  int drawn = 0;
  for (int y = 80; y < 160; ++y)
    for (int x = 150; x < 240; ++x)
      if (const std::uint32_t p = frame.GetPixel(x, y)) {
        ++drawn;
        ASSERT_EQ(Alpha(p), (255u * 200) >> 8) << x << "," << y;
      }
  EXPECT_GT(drawn, 50);
}

TEST_F(SnapFrame, HandsPointWhereTheTimeSays) {
  CCanvas frame;
  // Small dots as characters keep the inner part of the face free.
  Render(std::string(kNoGlobe) +
             "[Font]\nTickChar=8\n[Option]\nSecHands=False\nHandsAlpha=255\n",
         {"--size", "200", "--time", "03:00:00"}, frame);
  const auto blueish = [&](int x, int y) {
    const std::uint32_t p = frame.GetPixel(x, y);
    return Alpha(p) > 200 && (p & 0xFF) > 200 && ((p >> 8) & 0xFF) < 60;
  };
  const auto greenish = [&](int x, int y) {
    const std::uint32_t p = frame.GetPixel(x, y);
    return Alpha(p) > 200 && ((p >> 8) & 0xFF) > 200 && (p & 0xFF) < 60;
  };
  EXPECT_TRUE(blueish(140, 100)) << "hour hand toward three";
  EXPECT_TRUE(greenish(100, 40)) << "minute hand toward twelve";
  EXPECT_EQ(frame.GetPixel(60, 100), 0u) << "nothing toward nine";
  EXPECT_EQ(frame.GetPixel(100, 160), 0u) << "nothing toward six";
}

TEST_F(SnapFrame, CalendarShowsFromTenAtItsFadeAlpha) {
  const std::string settings = "[Font]\nName=IPAGothic\n";
  const std::vector<std::string> at = {"--size",   "256",    "--time",
                                       "21:45:10", "--date", "2026-12-07"};
  CCanvas hidden, shown;
  auto args = at;
  args.insert(args.end(), {"--hover", "9"});
  Render(settings, args, hidden);
  args = at;
  args.insert(args.end(), {"--hover", "14"});
  Render(settings, args, shown);

  // The panel: three quarters wide, two thirds high, centred.
  const RECT panel{32, 43, 32 + 192, 43 + 170};
  int inside = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const bool inPanel = x >= panel.left && x < panel.right &&
                           y >= panel.top && y < panel.bottom;
      if (!inPanel) {
        ASSERT_EQ(shown.GetPixel(x, y), hidden.GetPixel(x, y)) << x << "," << y;
      } else if (hidden.GetPixel(x, y) == 0) {
        ++inside;
        ASSERT_EQ(Alpha(shown.GetPixel(x, y)), 128u) << x << "," << y;
      }
    }
  EXPECT_GT(inside, 10000);
}

TEST(SnapOptions, RejectsBadArguments) {
  std::string error;
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--ini", "a.ini", "--size", "100", "--time", "10:00:00"},  // no --out
      {"--ini", "a.ini", "--size", "0", "--time", "10:00:00", "--out", "o.png"},
      {"--ini", "a.ini", "--size", "100", "--time", "25:00:00", "--out",
       "o.png"},
      {"--ini", "a.ini", "--size", "100", "--time", "10:00", "--out", "o.png"},
      {"--ini", "a.ini", "--size", "100", "--time", "10:00:00", "--out",
       "o.png", "--date", "2026-02-29"},
      {"--ini", "a.ini", "--size", "100", "--time", "10:00:00", "--out",
       "o.png", "--hover", "41"},
      {"--ini", "a.ini", "--size", "100", "--time", "10:00:00", "--out",
       "o.png", "--colour", "red"},
      {"--ini"},
  };
  for (const auto& args : bad) {
    error.clear();
    EXPECT_FALSE(ParseSnapOptions(args, error));
    EXPECT_FALSE(error.empty());
  }
  const auto good = ParseSnapOptions(
      {"--ini", "a.ini", "--size", "64", "--time", "23:59:59.5", "--date",
       "2024-02-29", "--out", "o.png", "--hover", "40"},
      error);
  ASSERT_TRUE(good) << error;
  EXPECT_EQ(good->time.wMilliseconds, 500);
  EXPECT_EQ(good->time.wDayOfWeek, 4);  // a Thursday
}

TEST_F(SnapFrame, AnUnreadableSettingsFileIsAnError) {
  std::string error;
  const auto options =
      ParseSnapOptions({"--ini", "/nonexistent/clock.ini", "--size", "64",
                        "--time", "10:00:00", "--out", "o.png"},
                       error);
  ASSERT_TRUE(options);
  CCanvas frame;
  EXPECT_FALSE(RenderSnapFrame(*options, frame, error));
  EXPECT_NE(error.find("/nonexistent/clock.ini"), std::string::npos);
}

TEST_F(SnapFrame, TheGlobeFillsItsSilhouetteUnderTheClock) {
  CCanvas frame;
  Render(kNoDial, {"--size", "200", "--time", "00:00:00"}, frame);
  // Radius 4D / sqrt(323) = 62.95 about (100, 100); hands point up.
  int opaque = 0;
  for (int x = 0; x < 200; ++x) {
    const std::uint32_t p = frame.GetPixel(x, 130);
    const double dx = x - 100, dy = 30;
    if (dx * dx + dy * dy > 64.5 * 64.5) {
      ASSERT_EQ(p, 0u) << x;
    } else if (dx * dx + dy * dy < 61 * 61) {
      ASSERT_GE(Alpha(p), 250u) << x;
      ++opaque;
    }
  }
  EXPECT_GT(opaque, 100);
}

TEST_F(SnapFrame, TheColorKeyMakesTheSeasSeeThrough) {
  CCanvas plain, keyed;
  Render(kNoDial, {"--size", "200", "--time", "00:00:00"}, plain);
  Render(std::string(kNoDial) + "[AlphaColor]\nEnable=True\n",
         {"--size", "200", "--time", "00:00:00"}, keyed);
  int disc = 0, clear = 0, solid = 0;
  for (int y = 110; y < 160; ++y)
    for (int x = 40; x < 160; ++x) {
      if (Alpha(plain.GetPixel(x, y)) < 250) continue;
      ++disc;
      const std::uint32_t a = Alpha(keyed.GetPixel(x, y));
      clear += a < 16;   // sea: key alpha 31, faded over nothing
      solid += a > 240;  // land far from blue
    }
  EXPECT_GT(disc, 3000);
  EXPECT_GT(clear, disc / 3);
  EXPECT_GT(solid, disc / 20);
}

TEST(SnapOptions, UtcIsTheLocalTimeLessTheOffset) {
  std::string error;
  const auto at = [&](const char* date, const char* time, const char* offset) {
    const auto o = ParseSnapOptions(
        {"--sun-info", "--date", date, "--time", time, "--utc-offset", offset},
        error);
    EXPECT_TRUE(o) << error;
    return o ? SnapUtcTime(*o) : SYSTEMTIME{};
  };
  const SYSTEMTIME tokyo = at("2024-03-01", "08:30:15.250", "540");
  EXPECT_EQ(tokyo.wYear, 2024);
  EXPECT_EQ(tokyo.wMonth, 2);
  EXPECT_EQ(tokyo.wDay, 29) << "back into a leap day";
  EXPECT_EQ(tokyo.wHour, 23);
  EXPECT_EQ(tokyo.wMinute, 30);
  EXPECT_EQ(tokyo.wSecond, 15);
  EXPECT_EQ(tokyo.wMilliseconds, 250);
  EXPECT_EQ(tokyo.wDayOfWeek, 4);
  const SYSTEMTIME hawaii = at("2025-12-31", "20:00:00", "-600");
  EXPECT_EQ(hawaii.wYear, 2026);
  EXPECT_EQ(hawaii.wMonth, 1);
  EXPECT_EQ(hawaii.wDay, 1);
  EXPECT_EQ(hawaii.wHour, 6);
  for (const char* offset : {"1441", "-1441", "9x", ""})
    EXPECT_FALSE(ParseSnapOptions(
        {"--sun-info", "--time", "10:00:00", "--utc-offset", offset}, error))
        << offset;
  EXPECT_FALSE(ParseSnapOptions({"--sun-info"}, error)) << "needs --time";
}

TEST(SnapOptions, SunInfoPrintsTheSubsolarPoint) {
  std::string error;
  const auto line = [&](const char* date, const char* time,
                        const char* offset) {
    const auto o = ParseSnapOptions(
        {"--sun-info", "--date", date, "--time", time, "--utc-offset", offset},
        error);
    return o ? SunInfoLine(*o) : error;
  };
  // The June solstice of 2024 (20:51 UTC) seen from Tokyo's clock.
  EXPECT_EQ(line("2024-06-21", "05:51:00", "540").substr(0, 17),
            "subsolar 23.4386 ");
  // The same instant, whatever the offset.
  EXPECT_EQ(line("2024-06-21", "05:51:00", "540"),
            line("2024-06-20", "20:51:00", "0"));
  const std::string noon = line("2024-03-20", "12:00:00", "0");
  EXPECT_EQ(noon, "subsolar 0.1470 1.8287");
  // Just west of the antimeridian the longitude stays below 180.
  double lat = 0, lon = 0;
  ASSERT_EQ(std::sscanf(line("2024-03-21", "00:07:20", "0").c_str(),
                        "subsolar %lf %lf", &lat, &lon),
            2);
  EXPECT_GE(lon, -180);
  EXPECT_LT(lon, 180);
}

TEST_F(SnapFrame, TheSunTakesUtcAndTheDialLocalTime) {
  const std::string sunny =
      "[Option]\nMojiAlpha=0\nSecHands=False\nAngle=0\nPhoto=True\n"
      "[Sun]\nEnable=True\n[Revolution]\nSpeed=0\n";
  CCanvas utc, tokyo, later;
  Render(sunny, {"--size", "120", "--time", "03:00:00"}, utc);
  Render(sunny, {"--size", "120", "--time", "12:00:00", "--utc-offset", "540"},
         tokyo);
  Render(sunny, {"--size", "120", "--time", "03:00:00", "--utc-offset", "-720"},
         later);
  // The globe stands still; the hands (at 3 and at 12 o'clock) keep out of
  // the lower left quarter, where only the Sun can change a pixel.
  int same = 0, moved = 0;
  for (int y = 65; y < 120; ++y)
    for (int x = 0; x < 55; ++x) {
      same += utc.GetPixel(x, y) == tokyo.GetPixel(x, y);
      moved += utc.GetPixel(x, y) != later.GetPixel(x, y);
    }
  EXPECT_EQ(same, 55 * 55) << "the same instant in UTC";
  EXPECT_GT(moved, 300) << "the same dial, twelve hours later in UTC";
}

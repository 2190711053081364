// Whole frames held to the pixel: a set of settings and times whose frames
// must not change unless a change of the picture is meant. Each frame is
// kept as a hash of its premultiplied pixel words; a failure prints the new
// hash and saves the frame as a PNG beside the test for a look.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "pixels/alpha_functions.h"
#include "pixels/canvas.h"
#include "snap/png_writer.h"
#include "snap/snap_options.h"
#include "snap/snap_render.h"

namespace fs = std::filesystem;

namespace {
struct GoldenFrame {
  const char* name;
  const char* settings;  // the face is pinned: frames must not follow the
                         // machine's default font
  std::vector<std::string> args;
  std::uint64_t hash;
};

std::uint64_t FrameHash(const CCanvas& frame) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x) {
      std::uint32_t p = frame.Row(y)[x];
      for (int byte = 0; byte < 4; ++byte, p >>= 8) {
        h ^= p & 0xFF;
        h *= 1099511628211ull;
      }
    }
  return h;
}

const GoldenFrame kFrames[] = {
    {"defaults",
     "[Font]\nName=IPAGothic\n",
     {"--size", "256", "--time", "10:08:30.250"},
     0xb712e87ed0161631ull},
    {"see_through_far_side",
     "[Font]\nName=IPAGothic\n[AlphaColor]\nEnable=True\n"
     "[GradientAlpha]\nEnable=True\n[Shading]\nEnable=False\n"
     "[Option]\nViewBack=True\nAngle=60\nAngle2=20\n",
     {"--size", "300", "--time", "06:30:00"},
     0xfe48f51f8fec8b25ull},
    {"turned_kanji_calendar",
     "[Font]\nName=IPAGothic\nRotation=True\nTickChar=7\nSize=150\nBold=True\n"
     "[Revolution]\nSpeed=0\nOffset=9000\n",
     {"--size", "200", "--time", "12:00:00", "--hover", "40", "--date",
      "2000-02-15"},
     0x74bb1228d80cd2daull},
    {"calendar_fading_in",
     "[Font]\nName=IPAGothic\nTickChar=3\n[Color]\nHourHand=255\n",
     {"--size", "200", "--time", "12:00:00", "--hover", "25"},
     0xf577c2b5524a0919ull},
    {"tilt_guide",
     "[Font]\nName=IPAGothic\n[Option]\nAngle=-30\n",
     {"--size", "256", "--time", "01:02:03", "--tilt-drag"},
     0xc63ed878fe455c8eull},
    {"south_small",
     "[Font]\nName=IPAGothic\n[Option]\nAngle=-45\nSecHands=False\n"
     "Smooth=False\n[Shading]\nMin=20\nMax=200\n",
     {"--size", "64", "--time", "18:45:10.5"},
     0x93427830dd3c9fd4ull},
    {"south_odd_size",
     "[Font]\nName=IPAGothic\n[Option]\nAngle=-45\nSecHands=False\n"
     "Smooth=False\n[Shading]\nMin=20\nMax=200\n",
     {"--size", "513", "--time", "03:15:45"},
     0xb2b07c936f2751cbull},
    // The Sun's and the photographs' settings change nothing while they are
    // off, whatever the time zone: the defaults' very frame.
    {"sun_off_defaults",
     "[Font]\nName=IPAGothic\n[Option]\nPhoto=False\n"
     "[Sun]\nEnable=False\nLights=True\nNight=0\n",
     {"--size", "256", "--time", "10:08:30.250", "--utc-offset", "540"},
     0xb712e87ed0161631ull},
    {"large_leap_day",
     "[Font]\nName=IPAGothic\nTickChar=0\n",
     {"--size", "1024", "--time", "23:59:59.999", "--date", "2024-02-29"},
     0xb2cb21f75cc21f82ull},
};

class GoldenFrames : public ::testing::TestWithParam<GoldenFrame> {
 protected:
  void SetUp() override { BindAlphaFunctions(); }
  void TearDown() override { ReleaseAlphaFunctions(); }
};
}  // namespace

TEST_P(GoldenFrames, MatchTheKeptPixels) {
  const GoldenFrame& golden = GetParam();
  const fs::path ini = fs::temp_directory_path() /
                       (std::string("ondrava-golden-") + golden.name + ".ini");
  std::ofstream(ini) << golden.settings;
  std::vector<std::string> args = {"--ini", ini.string(), "--out", "unused"};
  args.insert(args.end(), golden.args.begin(), golden.args.end());
  std::string error;
  const auto options = ParseSnapOptions(args, error);
  ASSERT_TRUE(options) << error;
  CCanvas frame;
  ASSERT_TRUE(RenderSnapFrame(*options, frame, error)) << error;
  fs::remove(ini);
  const std::uint64_t hash = FrameHash(frame);
  if (hash != golden.hash) {
    const fs::path folder = ONDRAVA_GOLDEN_OUTPUT_DIR;
    fs::create_directories(folder);
    const std::string png =
        (folder / (std::string(golden.name) + ".png")).string();
    WritePng(frame, png, true, error);
    char text[32];
    std::snprintf(text, sizeof text, "0x%016" PRIx64 "ull", hash);
    ADD_FAILURE() << golden.name << ": the frame changed, hash " << text
                  << " (saved as " << png << ")";
  }
}

INSTANTIATE_TEST_SUITE_P(Snap, GoldenFrames, ::testing::ValuesIn(kFrames),
                         [](const ::testing::TestParamInfo<GoldenFrame>& info) {
                           return std::string(info.param.name);
                         });

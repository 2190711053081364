// The globe under the real Sun and on the photographs: the settings and
// menu items, the water mask's see-through seas, when the light is cast
// again, and the frames of a March equinox seen from above longitude 0.
#include <gtest/gtest.h>

#include <string>

#include "globe/globe_draw.h"
#include "globe/photo_maps.h"
#include "globe_fixture.h"
#include "parts/command_ids.h"
#include "pixels/canvas.h"
#include "support/fake_menu.h"

namespace {
constexpr int kSide = 200;

struct SunHost : FakeHost {
  SYSTEMTIME UtcTime() const override { return utc; }
  SYSTEMTIME utc{2024, 3, 3, 20, 12, 0, 0, 0};
};

int Brightness(std::uint32_t p) {
  return int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
}

class SunlitGlobe : public GlobeFixture<SunHost> {
 protected:
  void SetUp() override {
    GlobeFixture::SetUp();
    settings.Set(u"Revolution", u"Speed", u"0");
  }
  // Lays the globe out, lets the table and the light finish, draws.
  void Frame(CCanvas& canvas) {
    canvas.Resize(kSide, kSide);
    globe.Layout(RECT{0, 0, kSide, kSide});
    globe.WaitForTable();
    globe.Tick(host.now);
    globe.WaitForSunlight();
    canvas.Clear();
    globe.Draw(canvas);
  }
  // The Revolution Offset that puts longitude 0 at the centre of the view.
  std::int32_t OffsetFacingGreenwich() {
    globe.Layout(RECT{0, 0, kSide, kSide});
    globe.WaitForTable();
    const GlobeEntry& centre =
        globe.Table().Entries()[std::size_t(kSide / 2) * kSide + kSide / 2];
    const std::int64_t u = std::int64_t{globe.Texture()->Width()}
                           << globe.TextureShift();
    return std::int32_t((u / 2 - centre.front.u + u) % u * 36000 / u);
  }
  // The texture's size and shift, without its texels.
  GlobeTexture TextureLayout() const {
    return {nullptr, globe.Texture()->Width(), globe.Texture()->Height(),
            globe.TextureShift()};
  }
  // The texture column the front sample of `e` shows at the globe's turn.
  std::uint32_t ColumnOf(const GlobeEntry& e) const {
    const GlobeTexture t = TextureLayout();
    return ((e.front.u + SpinOffset(globe.Rotation(), t)) >> t.texShift) %
           std::uint32_t(t.width);
  }
  // The longitude the front sample of pixel (x, array row) shows.
  double LongitudeAt(int x, int row) const {
    const GlobeEntry& e = globe.Table().Entries()[std::size_t(row) * kSide + x];
    return -180 + (ColumnOf(e) + 0.5) * 360 / globe.Texture()->Width();
  }
  // Frames of an equinox view from the equator, facing Greenwich, on the
  // photographs: `plain` without the Sun (and without the fixed shading, so
  // that the two frames differ only by the light), then `lit` under it.
  void EquinoxFrames(bool lights, CCanvas& plain, CCanvas& lit) {
    settings.Set(u"Option", u"Photo", u"True");
    settings.Set(u"Option", u"Angle", u"0");
    settings.Set(u"Sun", u"Lights", lights ? u"True" : u"False");
    for (bool sun : {false, true}) {
      settings.Set(u"Shading", u"Enable", sun ? u"True" : u"False");
      settings.Set(u"Sun", u"Enable", sun ? u"True" : u"False");
      Load();
      const std::string offset = std::to_string(OffsetFacingGreenwich());
      settings.Set(u"Revolution", u"Offset",
                   std::u16string(offset.begin(), offset.end()));
      Load();
      Frame(sun ? lit : plain);
    }
  }
};
}  // namespace

TEST_F(SunlitGlobe, SettingsDefaultsLimitsAndSaving) {
  Load();
  EXPECT_FALSE(globe.Settings().photo);
  EXPECT_FALSE(globe.Settings().sunEnable);
  EXPECT_FALSE(globe.Settings().sunLights);
  EXPECT_EQ(globe.Settings().sunNight, 48);
  EXPECT_EQ(globe.SunlitTexture(), nullptr);
  settings.Set(u"Sun", u"Night", u"300");
  Load();
  EXPECT_EQ(globe.Settings().sunNight, 255) << "limited";
  settings.Set(u"Sun", u"Night", u"dark");
  settings.Set(u"Sun", u"Enable", u"maybe");
  Load();
  EXPECT_EQ(globe.Settings().sunNight, 48) << "mangled: the default";
  EXPECT_FALSE(globe.Settings().sunEnable);
  settings.Set(u"Sun", u"Night", u"7");
  settings.Set(u"Sun", u"Lights", u"True");
  settings.Set(u"Option", u"Photo", u"True");
  Load();
  settings.BeginSave();
  globe.SaveSettings(settings);
  EXPECT_EQ(settings.Get(u"Sun", u"Night"), u"7");
  EXPECT_EQ(settings.Get(u"Sun", u"Lights"), u"True");
  EXPECT_EQ(settings.Get(u"Sun", u"Enable"), u"False");
  EXPECT_EQ(settings.Get(u"Option", u"Photo"), u"True");
}

TEST_F(SunlitGlobe, MenuItemsSwitchAndMarkThePhotoTheSunAndTheLights) {
  Load();
  EXPECT_EQ(globe.Texture()->Width(), 360);
  EXPECT_TRUE(globe.OnCommand(IDM_PHOTO));
  EXPECT_EQ(globe.Texture()->Width(), 512) << "the photographs, no window yet";
  EXPECT_TRUE(globe.OnCommand(IDM_SUN));
  EXPECT_TRUE(globe.OnCommand(IDM_CITY_LIGHTS));
  FakeMenu menu;
  globe.UpdateMenu(menu);
  EXPECT_TRUE(menu.checked[IDM_PHOTO]);
  EXPECT_TRUE(menu.checked[IDM_SUN]);
  EXPECT_TRUE(menu.checked[IDM_CITY_LIGHTS]);
  globe.Tick(host.now);
  globe.WaitForSunlight();
  EXPECT_NE(globe.SunlitTexture(), nullptr);
  EXPECT_TRUE(globe.OnCommand(IDM_SUN));
  EXPECT_EQ(globe.SunlitTexture(), nullptr) << "nothing lit kept while off";
  EXPECT_TRUE(globe.OnCommand(IDM_PHOTO));
  EXPECT_EQ(globe.Texture()->Width(), 360) << "the built-in map again";
  globe.UpdateMenu(menu);
  EXPECT_FALSE(menu.checked[IDM_PHOTO]);
  EXPECT_FALSE(menu.checked[IDM_SUN]);
}

TEST_F(SunlitGlobe, ThePhotographsComeAtTheFinenessTheWindowShows) {
  settings.Set(u"Option", u"Photo", u"True");
  Load();
  globe.Layout(RECT{0, 0, 1200, 1200});
  EXPECT_EQ(globe.Texture()->Width(), 2048);
  EXPECT_EQ(globe.Texture()->Height(), 1024);
  EXPECT_EQ(globe.Table().Inputs().textureWidth, 2048) << "a table for it";
  globe.Layout(RECT{0, 0, 128, 128});
  EXPECT_EQ(globe.Texture()->Width(), 512);
  globe.WaitForTable();
  EXPECT_EQ(globe.Table().Inputs().textureWidth, 512);
  EXPECT_EQ(globe.Table().Inputs().width, 128);
}

TEST_F(SunlitGlobe, ATextureFileWinsOverThePhotographs) {
  host.texturePath = u"" ONDRAVA_SOURCE_DIR "/tests/data/image/rgb-7x5.png";
  settings.Set(u"Option", u"Photo", u"True");
  Load();
  EXPECT_TRUE(globe.OnCommand(IDM_OPEN_TEXTURE));
  EXPECT_TRUE(globe.Settings().useFile) << "a PNG is a texture too";
  EXPECT_EQ(globe.Texture()->Width(), 7);
  EXPECT_TRUE(globe.OnCommand(IDM_USE_TEXTURE));
  EXPECT_EQ(globe.Texture()->Width(), 512) << "the file off: the photographs";
}

TEST_F(SunlitGlobe, TheWaterMaskMakesTheSeasSeeThrough) {
  settings.Set(u"Option", u"Photo", u"True");
  settings.Set(u"AlphaColor", u"Enable", u"True");
  settings.Set(u"AlphaColor", u"Min", u"20");
  settings.Set(u"AlphaColor", u"Max", u"240");
  Load();
  std::vector<std::uint8_t> water;
  ASSERT_TRUE(LoadWaterMask(water, globe.Texture()->Width()));
  const CCanvas& texture = *globe.Texture();
  std::size_t seas = 0, lands = 0;
  for (std::size_t i = 0; i < water.size(); i += 97) {
    const std::uint32_t alpha = texture.Pixels()[i] >> 24;
    if (water[i] == 255) {
      EXPECT_EQ(alpha, 20u) << i;
      ++seas;
    } else if (water[i] == 0) {
      EXPECT_EQ(alpha, 240u) << i;
      ++lands;
    }
  }
  EXPECT_GT(seas, lands) << "most of the Earth is sea";
  EXPECT_GT(lands, 0u);
}

TEST_F(SunlitGlobe, TheLightIsCastOnceAMinuteOffTheFramePath) {
  settings.Set(u"Sun", u"Enable", u"True");
  Load();
  globe.Layout(RECT{0, 0, 64, 64});
  globe.WaitForTable();
  host.utc.wSecond = 10;
  globe.Tick(host.now);
  EXPECT_EQ(host.timerPeriod, 20u) << "busy while the light is cast";
  globe.WaitForSunlight();
  const SubsolarPoint first = globe.SunlitFor();
  const std::uint32_t* lit = globe.SunlitTexture();
  ASSERT_NE(lit, nullptr);
  host.utc.wSecond = 50;
  globe.Tick(host.now);
  EXPECT_EQ(globe.SunlitTexture(), lit) << "the same minute: nothing new";
  EXPECT_EQ(host.timerPeriod, 100u) << "at rest again";
  host.utc.wMinute += 1;
  globe.Tick(host.now);
  globe.WaitForSunlight();
  EXPECT_NEAR(globe.SunlitFor().longitude, first.longitude - 0.25, 0.001);
}

TEST_F(SunlitGlobe, EquinoxNoonLightsTheFaceAndTheTerminatorRunsAtTheLimbs) {
  CCanvas plain, lit;
  EquinoxFrames(false, plain, lit);
  const int middle = kSide / 2;
  EXPECT_NEAR(LongitudeAt(middle, middle), 0, 0.5) << "facing Greenwich";
  // The Sun stands over 1.8 E: the whole face seen, which reaches less than
  // 87 degrees out, is in full daylight.
  for (std::size_t i = 0; i < std::size_t(kSide) * kSide; ++i)
    ASSERT_EQ(lit.Pixels()[i], plain.Pixels()[i]) << i;
  // The texture the frames read: the terminator on the equator runs through
  // the limbs' meridians, 90 degrees from Greenwich.
  const std::uint32_t* texels = globe.SunlitTexture();
  ASSERT_NE(texels, nullptr);
  const CCanvas& day = *globe.Texture();
  const auto light = [&](double lon) {
    const std::size_t i = std::size_t(day.Height() / 2) * day.Width() +
                          std::size_t((lon + 180) / 360 * day.Width());
    return double(Brightness(texels[i])) / Brightness(day.Pixels()[i]);
  };
  EXPECT_EQ(light(-86), 1.0);
  EXPECT_LT(light(-90), 1.0) << "dusk has begun at 90 W";
  EXPECT_GT(light(-90), 0.9);
  EXPECT_EQ(light(90), 1.0) << "the last light at 90 E";
  EXPECT_LT(light(94), 1.0);
  EXPECT_LT(light(-110), 0.2) << "night beyond astronomical twilight";
}

TEST_F(SunlitGlobe, EquinoxMidnightIsDarkWithTheCityLights) {
  host.utc = {2024, 3, 4, 21, 0, 0, 0, 0};
  CCanvas plain, lit;
  EquinoxFrames(true, plain, lit);
  DecodedBitmap night;
  ASSERT_TRUE(LoadNightLights(night));
  const GlobeTexture t = TextureLayout();
  const std::vector<std::uint32_t> lights =
      ResampleTexels(night, t.width, t.height);
  int seen = 0, asLit = 0, cities = 0, citiesShining = 0;
  for (int row = 0; row < kSide; ++row)
    for (int x = 0; x < kSide; ++x) {
      const std::size_t i = std::size_t(row) * kSide + x;
      const GlobeEntry& e = globe.Table().Entries()[i];
      // Away from the limbs: the Sun is more than 30 degrees down there.
      if (!e.front.alpha || std::abs(LongitudeAt(x, row)) > 55) continue;
      const std::uint32_t glow =
          lights[std::size_t(e.front.v) * t.width + ColumnOf(e)];
      // Each channel: the day's colour at the night level, plus the lights.
      bool right = true;
      for (int shift : {0, 8, 16}) {
        const int night = int((plain.Pixels()[i] >> shift) & 0xFF) * 48 / 255;
        const int expected = std::min(255, night + int((glow >> shift) & 0xFF));
        right = right && std::abs(int((lit.Pixels()[i] >> shift) & 0xFF) -
                                  expected) <= 2;
      }
      ++seen;
      asLit += right;
      if (Brightness(glow) > 150) {
        ++cities;
        citiesShining += Brightness(lit.Pixels()[i]) >
                         Brightness(plain.Pixels()[i]) * 48 / 255 + 100;
      }
    }
  ASSERT_GT(seen, 5000);
  EXPECT_GE(asLit, seen * 99 / 100) << "the night level and the lights";
  ASSERT_GT(cities, 5) << "Europe has cities";
  EXPECT_GE(citiesShining, cities * 9 / 10);
}

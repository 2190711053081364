// The built-in photographs: their size, their placement on the Earth (the
// water mask and the day photograph against the built-in map's seas) and the
// resampling onto other texel grids.
#include "globe/photo_maps.h"

#include <gtest/gtest.h>

#include <span>

#include "globe/world_map_data.h"

namespace {
constexpr std::uint32_t kSea = 0xFF0000FFu;

// The share of one-degree cells where `isWater` agrees with the sea of the
// built-in map (bottom row first, 360 x 180).
template <typename IsWater>
double AgreementWithMap(const std::vector<std::uint32_t>& cells,
                        IsWater isWater) {
  DecodedBitmap map;
  EXPECT_EQ(
      DecodeBmp(std::span<const std::uint8_t>(kWorldMapBmp, kWorldMapBmpSize),
                map),
      BmpError::kNone);
  std::size_t same = 0;
  for (std::size_t i = 0; i < cells.size(); ++i)
    same += isWater(cells[i]) == (map.pixels[i] == kSea);
  return double(same) / double(cells.size());
}

int Channel(std::uint32_t p, int shift) { return int((p >> shift) & 0xFF); }
}  // namespace

TEST(PhotoMaps, DayNightAndWaterShareOneGridAtEachFineness) {
  DecodedBitmap day, night, smallDay;
  std::vector<std::uint8_t> water, smallWater;
  ASSERT_TRUE(LoadDayPhoto(day));
  ASSERT_TRUE(LoadNightLights(night));
  ASSERT_TRUE(LoadWaterMask(water));
  EXPECT_EQ(day.width, 2048);
  EXPECT_EQ(day.height, 1024);
  EXPECT_EQ(night.width, day.width);
  EXPECT_EQ(night.height, day.height);
  EXPECT_EQ(water.size(), day.pixels.size());
  ASSERT_TRUE(LoadDayPhoto(smallDay, 1024));
  ASSERT_TRUE(LoadWaterMask(smallWater, 1024));
  EXPECT_EQ(smallDay.width, 1024);
  EXPECT_EQ(smallDay.height, 512);
  EXPECT_EQ(smallDay.pixels.size(), std::size_t(1024) * 512);
  EXPECT_EQ(smallWater.size(), smallDay.pixels.size());
}

TEST(PhotoMaps, TheWindowsSizeChoosesTheirFineness) {
  EXPECT_EQ(PhotoWidthFor(0, 0), 512);
  EXPECT_EQ(PhotoWidthFor(128, 128), 512) << "the default window";
  // A 1024-pixel window shows a globe of 645 pixels: 2026 around.
  EXPECT_EQ(PhotoWidthFor(1024, 1024), 1024);
  EXPECT_EQ(PhotoWidthFor(1100, 1100), 2048);
  EXPECT_EQ(PhotoWidthFor(4096, 4096), 2048) << "no finer than the files";
}

TEST(PhotoMaps, TheirSeasAreTheBuiltInMapsSeas) {
  std::vector<std::uint8_t> water;
  ASSERT_TRUE(LoadWaterMask(water));
  DecodedBitmap mask{2048, 1024, {}};
  for (std::uint8_t w : water) mask.pixels.push_back(0xFF000000u | w);
  const double maskShare =
      AgreementWithMap(ResampleTexels(mask, 360, 180),
                       [](std::uint32_t p) { return (p & 0xFF) > 127; });
  EXPECT_GT(maskShare, 0.97) << "the mask, placed as the map";

  DecodedBitmap day;
  ASSERT_TRUE(LoadDayPhoto(day));
  const double dayShare =
      AgreementWithMap(ResampleTexels(day, 360, 180), [](std::uint32_t p) {
        return Channel(p, 0) > Channel(p, 16) && Channel(p, 0) > Channel(p, 8);
      });
  EXPECT_GT(dayShare, 0.85) << "blue seas in the photograph";
}

TEST(PhotoMaps, TheLightsAreWherePeopleLive) {
  DecodedBitmap night;
  ASSERT_TRUE(LoadNightLights(night));
  const std::vector<std::uint32_t> cells = ResampleTexels(night, 360, 180);
  const auto brightness = [&](int lat, int lon) {
    const std::uint32_t p = cells[std::size_t(lat + 90) * 360 + (lon + 180)];
    return Channel(p, 16) + Channel(p, 8) + Channel(p, 0);
  };
  // The map shows the dim ground too; the cities stand out from it.
  EXPECT_GT(brightness(35, 139), 3 * brightness(-40, -140))
      << "Tokyo, the South Pacific";
  EXPECT_GT(brightness(40, -74), 3 * brightness(40, -40))
      << "New York, the Atlantic";
}

TEST(PhotoMaps, ResamplingAveragesShrinksAndRepeatsEnlarges) {
  const DecodedBitmap two{4,
                          2,
                          {0xFF000000u, 0xFF0000FFu, 0xFFFF0000u, 0xFFFF0000u,
                           0xFF00FF00u, 0xFF00FF00u, 0xFF0000FFu, 0xFF0000FFu}};
  const std::vector<std::uint32_t> halved = ResampleTexels(two, 2, 1);
  EXPECT_EQ(halved, (std::vector<std::uint32_t>{0xFF008040u, 0xFF800080u}))
      << "rounded means of 2 x 2 cells";
  const std::vector<std::uint32_t> enlarged = ResampleTexels(two, 8, 4);
  EXPECT_EQ(enlarged[0], two.pixels[0]);
  EXPECT_EQ(enlarged[1], two.pixels[0]);
  EXPECT_EQ(enlarged[8 * 4 - 1], two.pixels[7]);
  // Any ratio keeps a uniform picture uniform.
  const DecodedBitmap flat{7, 5, std::vector<std::uint32_t>(35, 0xFF123456u)};
  for (const std::uint32_t p : ResampleTexels(flat, 3, 2))
    EXPECT_EQ(p, 0xFF123456u);
}

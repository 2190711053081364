// The embedded world map, read straight from its .bmp bytes: the file layout,
// the picture's orientation and a few places whose colour is known.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "globe/world_map_data.h"

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 180;
constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

std::uint32_t U16(std::size_t at) {
  return kWorldMapBmp[at] | std::uint32_t{kWorldMapBmp[at + 1]} << 8;
}

std::uint32_t U32(std::size_t at) { return U16(at) | U16(at + 2) << 16; }

std::int32_t I32(std::size_t at) { return std::int32_t(U32(at)); }

std::string Describe(const Rgb& c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " +
         std::to_string(c.b) + ")";
}

// The picture as the file stores it; the layout is checked by the tests
// below, and the accessors stay inside the bytes whatever the headers say.
class WorldMap {
 public:
  std::size_t Colors() const { return colors_; }

  int IndexAt(int col, int rowFromTop) const {
    const std::size_t stride = (kWidth + 3) & ~3;
    const std::size_t at = offBits_ +
                           std::size_t(kHeight - 1 - rowFromTop) * stride +
                           std::size_t(col);
    return at < kWorldMapBmpSize ? kWorldMapBmp[at] : -1;
  }

  Rgb Entry(int index) const {
    const std::size_t at = kFileHeader + kInfoHeader + 4 * std::size_t(index);
    if (index < 0 || std::size_t(index) >= colors_ || at + 3 >= offBits_) {
      return {-1, -1, -1};
    }
    // RGBQUAD: blue, green, red, reserved.
    return {kWorldMapBmp[at + 2], kWorldMapBmp[at + 1], kWorldMapBmp[at]};
  }

  Rgb PixelAt(int col, int rowFromTop) const {
    return Entry(IndexAt(col, rowFromTop));
  }

  // The pixel whose one-degree cell holds the point.
  Rgb At(double lat, double lon) const {
    const int col = std::min(kWidth - 1, int(std::floor(lon + 180.0)));
    const int row = std::min(kHeight - 1, int(std::floor(90.0 - lat)));
    return PixelAt(col, row);
  }

 private:
  std::size_t offBits_ = U32(10);
  std::size_t colors_ = U32(46) == 0 ? 256 : U32(46);
};

constexpr Rgb kSea{0, 0, 255};

bool TanIsh(const Rgb& c) {
  return c.r >= 120 && c.r >= c.g && c.g > c.b + 20 && c.r > c.b + 50;
}

bool GreenIsh(const Rgb& c) { return c.g >= 60 && c.g > c.r && c.g > c.b; }

bool WhiteIsh(const Rgb& c) { return c.r >= 200 && c.g >= 200 && c.b >= 200; }

double DistanceFromSea(const Rgb& c) {
  return std::hypot(double(c.r), double(c.g), double(c.b - 255));
}

TEST(WorldMap, EmbeddedBytesAreTheResourceFile) {
  std::ifstream file(ONDRAVA_SOURCE_DIR "/resources/world_map.bmp",
                     std::ios::binary);
  ASSERT_TRUE(file) << "resources/world_map.bmp";
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  ASSERT_EQ(bytes.size(), kWorldMapBmpSize);
  EXPECT_TRUE(bytes ==
              std::string_view(reinterpret_cast<const char*>(kWorldMapBmp),
                               kWorldMapBmpSize));
}

TEST(WorldMap, IsAWhole360By180EightBitBottomUpBmpWithAColorTable) {
  ASSERT_GE(kWorldMapBmpSize, kFileHeader + kInfoHeader);
  EXPECT_EQ(kWorldMapBmp[0], 'B');
  EXPECT_EQ(kWorldMapBmp[1], 'M');
  EXPECT_EQ(U32(2), kWorldMapBmpSize);  // bfSize
  EXPECT_EQ(U32(6), 0u);                // bfReserved1, bfReserved2
  EXPECT_EQ(U32(14), kInfoHeader);      // biSize: BITMAPINFOHEADER
  EXPECT_EQ(I32(18), kWidth);
  EXPECT_EQ(I32(22), kHeight);  // positive: bottom-up
  EXPECT_EQ(U16(26), 1u);       // biPlanes
  EXPECT_EQ(U16(28), 8u);       // biBitCount
  EXPECT_EQ(U32(30), 0u);       // BI_RGB

  const std::uint32_t used = U32(46);
  EXPECT_LE(used, 256u);
  const std::uint32_t colors = used == 0 ? 256 : used;
  EXPECT_GE(colors, 2u);
  // The colour table follows the headers; the rows (360 bytes each, already a
  // multiple of four) follow the table and end the file.
  EXPECT_EQ(U32(10), kFileHeader + kInfoHeader + 4 * colors);
  EXPECT_EQ(U32(10) + std::size_t(kWidth) * kHeight, kWorldMapBmpSize);
  const std::uint32_t sizeImage = U32(34);
  EXPECT_TRUE(sizeImage == 0 || sizeImage == std::uint32_t(kWidth * kHeight));
}

TEST(WorldMap, KnownPlacesHaveTheirColors) {
  const WorldMap map;
  // Mid Pacific, and mid Atlantic.
  EXPECT_EQ(map.At(0.0, -160.0), kSea);
  EXPECT_EQ(map.At(45.0, -30.0), kSea);
  // The Sahara, Arabia and central Australia.
  for (const auto& [lat, lon] :
       {std::pair{20.0, 10.0}, {23.0, 45.0}, {-25.0, 130.0}}) {
    const Rgb c = map.At(lat, lon);
    EXPECT_TRUE(TanIsh(c)) << lat << ", " << lon << ": " << Describe(c);
  }
  // The Congo and the Amazon.
  for (const auto& [lat, lon] : {std::pair{0.0, 20.0}, {-5.0, -60.0}}) {
    const Rgb c = map.At(lat, lon);
    EXPECT_TRUE(GreenIsh(c)) << lat << ", " << lon << ": " << Describe(c);
  }
  // Antarctica and Greenland.
  for (const auto& [lat, lon] : {std::pair{-80.0, 0.0}, {72.0, -40.0}}) {
    const Rgb c = map.At(lat, lon);
    EXPECT_TRUE(WhiteIsh(c)) << lat << ", " << lon << ": " << Describe(c);
  }
}

TEST(WorldMap, NorthIsUpAndWestIsLeft) {
  const WorldMap map;
  // Each place mirrored across the equator or the prime meridian is sea, so
  // a flipped picture fails here.
  EXPECT_NE(map.At(20.0, 10.0), kSea);   // Sahara
  EXPECT_EQ(map.At(-20.0, 10.0), kSea);  // off Namibia
  EXPECT_NE(map.At(0.0, 20.0), kSea);    // Congo
  EXPECT_EQ(map.At(0.0, -20.0), kSea);   // Gulf of Guinea
  EXPECT_NE(map.At(72.0, -40.0), kSea);  // Greenland
  EXPECT_EQ(map.At(72.0, 40.0), kSea);   // Barents Sea
  EXPECT_NE(map.At(-80.0, 0.0), kSea);   // Antarctica
  EXPECT_EQ(map.At(80.0, 0.0), kSea);    // Fram Strait
  // The bottom row is Antarctica all the way round; the top row is sea.
  for (int col = 0; col < kWidth; ++col) {
    EXPECT_NE(map.PixelAt(col, kHeight - 1), kSea) << "col " << col;
    EXPECT_EQ(map.PixelAt(col, 0), kSea) << "col " << col;
  }
}

TEST(WorldMap, EveryPixelNamesATableColorAndTheLandIsPlausible) {
  const WorldMap map;
  int land = 0;
  std::set<int> landIndices;
  for (int row = 0; row < kHeight; ++row) {
    for (int col = 0; col < kWidth; ++col) {
      const int index = map.IndexAt(col, row);
      ASSERT_GE(index, 0) << "col " << col << " row " << row;
      ASSERT_LT(std::size_t(index), map.Colors())
          << "col " << col << " row " << row;
      const Rgb c = map.Entry(index);
      if (c == kSea) continue;
      ++land;
      landIndices.insert(index);
      ASSERT_GE(DistanceFromSea(c), 60.0)
          << "col " << col << " row " << row << ": " << Describe(c);
    }
  }
  const double share = double(land) / (kWidth * kHeight);
  EXPECT_GT(share, 0.25);
  EXPECT_LT(share, 0.35);

  // Not a flat fill: several greens, tans and whites are in use.
  int greens = 0, tans = 0, whites = 0;
  for (const int index : landIndices) {
    const Rgb c = map.Entry(index);
    greens += GreenIsh(c);
    tans += TanIsh(c);
    whites += WhiteIsh(c);
  }
  EXPECT_GE(greens, 3);
  EXPECT_GE(tans, 3);
  EXPECT_GE(whites, 3);
}

}  // namespace

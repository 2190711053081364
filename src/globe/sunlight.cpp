#include "globe/sunlight.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/angles.h"

namespace {
constexpr double kAstronomicalTwilight = -18;  // degrees

// The daylight share in 1/256ths over the sine of the elevation across the
// twilight band: the texels then need no arcsine.
constexpr int kSteps = 1024;
struct TwilightTable {
  double lowSine;  // sin(-18 degrees)
  double stepsPerSine;
  std::array<std::uint16_t, kSteps + 1> share;
};

TwilightTable MakeTwilightTable() {
  TwilightTable t{};
  t.lowSine = std::sin(kAstronomicalTwilight * kDegree);
  t.stepsPerSine = kSteps / -t.lowSine;
  for (int i = 0; i <= kSteps; ++i) {
    const double sine = t.lowSine * (1 - double(i) / kSteps);
    t.share[i] = std::uint16_t(
        std::lround(256 * DaylightShare(std::asin(sine) / kDegree)));
  }
  return t;
}

const TwilightTable& Twilight() {
  static const TwilightTable table = MakeTwilightTable();
  return table;
}

// Daylight share (0..256) for the sine of the elevation.
inline int ShareAt(const TwilightTable& t, double sine) {
  if (sine >= 0) return 256;
  if (sine <= t.lowSine) return 0;
  return t.share[int((sine - t.lowSine) * t.stepsPerSine)];
}

inline std::uint32_t Channel(std::uint32_t pixel, int shift) {
  return (pixel >> shift) & 0xFF;
}

// One texel: the day colour under `light` (0..256) plus the city lights at
// `glow` (0..256), then premultiplied by the texel's alpha (alpha 256
// leaves the colours as they are).
inline std::uint32_t LitTexel(std::uint32_t day, std::uint32_t lights,
                              std::uint32_t light, std::uint32_t glow,
                              std::uint32_t alpha) {
  std::uint32_t texel = day & 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t lit = std::min<std::uint32_t>(
        (Channel(day, shift) * light + Channel(lights, shift) * glow) >> 8,
        255);
    texel |= (lit * alpha >> 8) << shift;
  }
  return texel;
}

// The texture's longitudes, each column's cosine of its distance from the
// subsolar meridian.
std::vector<double> ColumnCosines(std::int32_t width, double sunLongitude) {
  std::vector<double> cosines(static_cast<std::size_t>(width));
  for (std::int32_t x = 0; x < width; ++x) {
    const double longitude = -180 + (x + 0.5) * 360 / width;
    cosines[std::size_t(x)] = std::cos((longitude - sunLongitude) * kDegree);
  }
  return cosines;
}
}  // namespace

double DaylightShare(double elevation) {
  if (elevation >= 0) return 1;
  if (elevation <= kAstronomicalTwilight) return 0;
  // A smoothstep, squared: level with the day at the horizon and with the
  // night at -18 degrees, about half light at civil twilight and a few
  // percent at nautical.
  const double x = 1 - elevation / kAstronomicalTwilight;
  const double smooth = x * x * (3 - 2 * x);
  return smooth * smooth;
}

bool LightTexture(const SunlitSources& s, const SubsolarPoint& sun,
                  std::uint32_t* out, const std::atomic<bool>& stop) {
  const TwilightTable& twilight = Twilight();
  const std::vector<double> cosines = ColumnCosines(s.width, sun.longitude);
  const double sinSun = std::sin(sun.latitude * kDegree);
  const double cosSun = std::cos(sun.latitude * kDegree);
  const std::uint32_t night = (std::uint32_t(s.night) * 256 + 127) / 255;
  const bool haveLights = !s.lights.empty();
  for (std::int32_t row = 0; row < s.height; ++row) {
    if (stop.load(std::memory_order_relaxed)) return false;
    // Row 0 is the bottom of the picture: the southernmost latitudes.
    const double latitude = -90 + (row + 0.5) * 180 / s.height;
    const double a = std::sin(latitude * kDegree) * sinSun;
    const double b = std::cos(latitude * kDegree) * cosSun;
    const std::size_t first = std::size_t(row) * std::size_t(s.width);
    for (std::int32_t x = 0; x < s.width; ++x) {
      const std::uint32_t share =
          std::uint32_t(ShareAt(twilight, a + b * cosines[std::size_t(x)]));
      const std::uint32_t light = night + ((256 - night) * share >> 8);
      const std::size_t i = first + std::size_t(x);
      const std::uint32_t alpha = s.premultiply ? s.day[i] >> 24 : 256;
      out[i] = LitTexel(s.day[i], haveLights ? s.lights[i] : 0u, light,
                        haveLights ? 256 - share : 0u, alpha);
    }
  }
  return true;
}

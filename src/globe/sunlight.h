// The globe lit by the real Sun: every texel of the texture takes the light
// of its own solar elevation, so that the frame can go on reading texels
// through the projection table with no lighting of its own. The lighting
// depends only on the texel's place on the Earth and on the subsolar point,
// which moves a quarter of a degree a minute: a texture lit once a minute is
// as good as one lit every frame.
//
// Day side: the texture's own colours. Below the horizon the light falls off
// smoothly through civil (-6 degrees) and nautical (-12) twilight to the
// night level at astronomical twilight (-18 degrees) and beyond; the city
// lights, where there are any, fade in as the daylight goes.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "globe/sun_position.h"

// What lighting reads, fixed while it runs. Texels are in the texture's
// layout (bottom row first, column 0 at 180 W, rows and columns evenly
// spread over latitude and longitude).
struct SunlitSources {
  std::int32_t width = 0, height = 0;
  // 0xAARRGGBB, alpha as the colour key or water mask gave it, colours not
  // premultiplied.
  std::vector<std::uint32_t> day;
  // The city lights at the same texels, or empty for none.
  std::vector<std::uint32_t> lights;
  std::uint8_t night = 48;  // the night side's brightness, 0..255
  // Whether the colours are premultiplied by the alpha afterwards, as the
  // colour key does; without it every alpha is 255 and the day side keeps
  // the texture's colours exactly.
  bool premultiply = false;
};

// The share of daylight, 0..1, at a solar elevation in degrees: 1 from the
// horizon up, 0 from -18 down, falling smoothly and steadily between.
double DaylightShare(double elevationDegrees);

// Writes the lit, premultiplied texture (width * height words, the sources'
// layout) for the Sun standing over `sun`; returns early, with false, when
// `stop` is set.
bool LightTexture(const SunlitSources& sources, const SubsolarPoint& sun,
                  std::uint32_t* out, const std::atomic<bool>& stop);

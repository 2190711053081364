// The globe under the real Sun: what is lit, when it is lit again, and the
// lit texture handed to the frames.
#include <cmath>
#include <new>

#include "globe/globe_motion.h"
#include "globe/photo_maps.h"
#include "globe/sun_position.h"
#include "parts/earth/earth_frm.h"
#include "pixels/canvas.h"

namespace {
// The Sun is lit for whole minutes: in one it moves a quarter of a degree,
// about a texel of the photographs.
SYSTEMTIME WholeMinute(SYSTEMTIME t) {
  t.wSecond = 0;
  t.wMilliseconds = 0;
  return t;
}
}  // namespace

void CEarthFrm::MakeSunSources(const DecodedBitmap& picture,
                               const std::vector<std::uint8_t>& water) {
  sunBuilder.Stop();
  sunSources.reset();
  sunPendingFrom = nullptr;
  if (!settings.sunEnable) {
    // Nothing lit is kept while the Sun is off.
    std::vector<std::uint32_t>().swap(sunlit);
    sunlitFrom.reset();
    return;
  }
  try {
    auto sources = std::make_shared<SunlitSources>();
    sources->width = picture.width;
    sources->height = picture.height;
    sources->night = settings.sunNight;
    sources->premultiply = settings.colorKey.enable;
    sources->day.resize(picture.pixels.size());
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
      const std::uint32_t rgb = picture.pixels[i] & 0x00FFFFFFu;
      const std::uint32_t alpha =
          !water.empty()             ? MaskAlpha(water[i], settings.colorKey)
          : settings.colorKey.enable ? KeyAlpha(rgb, settings.colorKey)
                                     : 255u;
      sources->day[i] = alpha << 24 | rgb;
    }
    DecodedBitmap lights;
    if (settings.sunLights && LoadNightLights(lights)) {
      sources->lights =
          lights.width == picture.width && lights.height == picture.height
              ? std::move(lights.pixels)
              : ResampleTexels(lights, picture.width, picture.height);
    }
    sunSources = std::move(sources);
  } catch (const std::bad_alloc&) {
    // No memory for the light: the globe shows its texture unlit.
  }
}

void CEarthFrm::RefreshSunlight() {
  DecodedBitmap picture;
  std::vector<std::uint8_t> water;
  if (!LoadTexturePicture(picture, water)) return;
  // The texture itself stays unless the picture changed under it (a file
  // that went away meanwhile).
  if (texture && picture.width == texture->Width() &&
      picture.height == texture->Height() && water == waterMask)
    MakeSunSources(picture, water);
  else
    ReloadTexture();
}

const std::uint32_t* CEarthFrm::SunlitTexture() const {
  if (!settings.sunEnable || !texture || !sunlitFrom) return nullptr;
  const std::size_t texels =
      std::size_t(texture->Width()) * std::size_t(texture->Height());
  return sunlit.size() == texels && !sunlit.empty() ? sunlit.data() : nullptr;
}

bool CEarthFrm::TakeSunlight() {
  std::shared_ptr<const SunlitSources> from;
  if (!sunBuilder.TakeFinished(sunlit, sunlitFor, from)) return false;
  sunlitFrom = std::move(from);
  sunPendingFrom = nullptr;
  redraw = true;
  return true;
}

void CEarthFrm::RestTimerIfIdle() {
  if (owner && !dragging && !builder.Running() && !sunBuilder.Running())
    owner->SetTimerPeriod(UINT(UsableUpdatePeriod(settings.updateMs)));
}

void CEarthFrm::UpdateSunlight() {
  if (!sunSources || !owner) return;
  if (TakeSunlight()) RestTimerIfIdle();
  const SubsolarPoint sun = SubsolarPointAt(WholeMinute(owner->UtcTime()));
  const bool shown = sunlitFrom == sunSources && sunlitFor == sun;
  const bool underWay = sunBuilder.Running() &&
                        sunPendingFrom == sunSources.get() && sunPending == sun;
  if (shown || underWay) return;
  sunBuilder.Start(sunSources, sun);
  sunPendingFrom = sunSources.get();
  sunPending = sun;
  owner->SetTimerPeriod(kBusyPeriod);
}

void CEarthFrm::WaitForSunlight() {
  sunBuilder.Wait();
  if (TakeSunlight()) RestTimerIfIdle();
}
